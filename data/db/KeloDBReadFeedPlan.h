#pragma once

#include "KeloFeedPlan.h"

class KeloDBConnectionClass;

/// Reads every stop, kelo and entry and the agency in a handful of statements, inside one
/// read transaction (or the caller's open one). Throws KeloDBErrorClass.
KeloFeedPlanType KeloDBReadFeedPlan(KeloDBConnectionClass& connection);
