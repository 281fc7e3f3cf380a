#pragma once

// Every job that waits for an answer looks at it before its time-out: an
// answer that came in the tick before the limit counts, however late the
// next tick runs.
enum class AnswerWait { Pending, Arrived, Missing };

inline AnswerWait awaitAnswer(bool arrived, double waited, double limit) {
    if (arrived)
        return AnswerWait::Arrived;
    return waited > limit ? AnswerWait::Missing : AnswerWait::Pending;
}
