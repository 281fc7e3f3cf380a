#pragma once

struct JobRequest;
class RouteTable;

// What the panels' keys and the key popups ask for. None of them sends:
// they write the job request or the route table, and the job machine or the
// route engine does the rest.
namespace panel {
// Jobs 16..19: one switch command for a 0-based accessory address.
void switchAccessory(JobRequest& job, int address, bool green, bool outputOn);
// Jobs 20/21: a feedback report for a 0-based contact.
void reportContact(JobRequest& job, int contact, bool occupied);
// The status cells of route 1..208 the route engine works off.
void requestRoute(RouteTable& table, int route);
void dissolveRoute(RouteTable& table, int route);
} // namespace panel
