#include "KeloDBStatementCounterClass.h"

#include "KeloDBConnectionClass.h"

#include <sqlite3.h>

namespace {

int CountStatement(unsigned /*event*/, void* context, void* /*statement*/, void* /*sql*/) {
    ++*static_cast<std::int64_t*>(context);
    return 0;
}

} // namespace

KeloDBStatementCounterClass::KeloDBStatementCounterClass(KeloDBConnectionClass& connection)
    : connection(connection) {
    sqlite3_trace_v2(connection.GetHandle(), SQLITE_TRACE_STMT, CountStatement, &count);
}

KeloDBStatementCounterClass::~KeloDBStatementCounterClass() {
    sqlite3_trace_v2(connection.GetHandle(), 0, nullptr, nullptr);
}
