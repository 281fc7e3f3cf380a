#include "MainKeyMap.h"

#include <Qt>
#include <optional>

namespace {
constexpr int Tabs = 5;
constexpr int KeyboardTab = 2;
constexpr int FeedbackTab = 3;

std::optional<int> digitOf(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    return std::nullopt;
}

MainKey throttleKey(int key) {
    if (const auto digit = digitOf(key))
        return {MainKey::SpeedDigit, *digit};
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return {MainKey::Function, key - Qt::Key_F1 + 1};
    switch (key) {
    case Qt::Key_Pause:
        return {MainKey::PowerButton};
    case Qt::Key_Escape:
        return {MainKey::Function, 0};
    case Qt::Key_Minus:
        return {MainKey::SetDirection, 0};
    case Qt::Key_Less:
        return {MainKey::SetDirection, 1};
    case Qt::Key_Backspace:
        return {MainKey::ChangeDirection};
    default:
        return {};
    }
}
} // namespace

MainKey mainKeyDown(int tab, int key, bool hasLocomotive) {
    if (tab < 0 || tab >= Tabs)
        return {};
    if (key == Qt::Key_T)
        return {MainKey::NextTab, (tab + 1) % Tabs};
    if (tab >= KeyboardTab) {
        if (const auto digit = digitOf(key))
            return {MainKey::OpenPopup, *digit};
        return {};
    }
    if (key == Qt::Key_A)
        return {MainKey::FocusAddress};
    return hasLocomotive ? throttleKey(key) : MainKey{};
}

PopupKind popupOfTab(int tab) {
    switch (tab) {
    case KeyboardTab:
        return PopupKind::Accessory;
    case FeedbackTab:
        return PopupKind::Feedback;
    default:
        return PopupKind::Route;
    }
}
