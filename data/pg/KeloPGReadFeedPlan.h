#pragma once

#include "KeloFeedPlan.h"

class KeloPGConnectionClass;

/// Reads every stop, kelo and entry and the agency in one statement per table, from one
/// snapshot: inside the caller's open transaction, or a read-only one of its own. Throws
/// KeloPGErrorClass.
KeloFeedPlanType KeloPGReadFeedPlan(KeloPGConnectionClass& connection);
