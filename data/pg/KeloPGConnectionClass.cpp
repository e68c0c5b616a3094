#include "KeloPGConnectionClass.h"

#include <libpq-fe.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

std::uint64_t BigEndian(const char* bytes, int length) {
    std::uint64_t value = 0;
    for (int i = 0; i < length; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// The values of a connection string, libpq's own reading of it; empty when it cannot read it.
std::map<std::string, std::string> ParseConnInfo(const std::string& conninfo,
                                                 std::string* error = nullptr) {
    std::map<std::string, std::string> values;
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &message);
    if (!options) {
        if (error)
            *error = message ? message : "cannot read the connection string";
        PQfreemem(message);
        return values;
    }
    for (PQconninfoOption* option = options; option->keyword; ++option)
        if (option->val)
            values[option->keyword] = option->val;
    PQconninfoFree(options);
    return values;
}

std::string FirstOf(const std::map<std::string, std::string>& values, const char* key,
                    const char* environment, const char* fallback) {
    if (const auto found = values.find(key); found != values.end() && !found->second.empty())
        return found->second;
    if (const char* set = std::getenv(environment); set && *set)
        return set;
    return fallback;
}

std::string Describe(const std::string& host, const std::string& database) {
    return "database \"" + database + "\" on host \"" + host + "\"";
}

} // namespace

bool KeloPGIsConnInfo(const std::string& text) {
    if (text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0)
        return true;
    // A "key=value ..." string starts with a keyword and an equals sign.
    std::size_t i = 0;
    while (i < text.size() && (std::isalpha(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
    return i > 0 && i < text.size() && text[i] == '=';
}

std::string KeloPGDescribeConnInfo(const std::string& conninfo) {
    const auto values = ParseConnInfo(conninfo);
    const std::string user = FirstOf(values, "user", "PGUSER", "");
    return Describe(FirstOf(values, "host", "PGHOST", "localhost"),
                    FirstOf(values, "dbname", "PGDATABASE", user.c_str()));
}

KeloPGParamsClass& KeloPGParamsClass::Int(std::int64_t value) {
    values.emplace_back(std::to_string(value));
    formats.push_back(0);
    return *this;
}

KeloPGParamsClass& KeloPGParamsClass::Bytes(std::string_view value) {
    values.emplace_back(std::string(value));
    formats.push_back(1);
    return *this;
}

KeloPGParamsClass& KeloPGParamsClass::Real(double value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    values.emplace_back(std::string(text, end));
    formats.push_back(0);
    return *this;
}

KeloPGParamsClass& KeloPGParamsClass::Null() {
    values.emplace_back(std::nullopt);
    formats.push_back(0);
    return *this;
}

KeloPGParamsClass& KeloPGParamsClass::Time(std::int64_t minutes, bool empty) {
    return empty ? Null() : Int(minutes);
}

std::vector<const char*> KeloPGParamsClass::Values() const {
    std::vector<const char*> pointers;
    for (const auto& value : values)
        pointers.push_back(value ? value->data() : nullptr);
    return pointers;
}

std::vector<int> KeloPGParamsClass::Lengths() const {
    std::vector<int> lengths;
    for (const auto& value : values)
        lengths.push_back(value ? int(value->size()) : 0);
    return lengths;
}

std::vector<int> KeloPGParamsClass::Formats() const {
    return formats;
}

KeloPGResultClass::~KeloPGResultClass() {
    PQclear(result);
}

int KeloPGResultClass::Rows() const {
    return PQntuples(result);
}

int KeloPGResultClass::Changed() const {
    return std::atoi(PQcmdTuples(result));
}

bool KeloPGResultClass::IsNull(int row, int column) const {
    return PQgetisnull(result, row, column) != 0;
}

std::int64_t KeloPGResultClass::Int(int row, int column) const {
    if (IsNull(row, column))
        return 0;
    const int length = PQgetlength(result, row, column);
    const std::uint64_t raw = BigEndian(PQgetvalue(result, row, column), length);
    switch (length) {
    case 2:
        return static_cast<std::int16_t>(raw);
    case 4:
        return static_cast<std::int32_t>(raw);
    default:
        return static_cast<std::int64_t>(raw);
    }
}

double KeloPGResultClass::Double(int row, int column) const {
    if (IsNull(row, column))
        return 0;
    const int length = PQgetlength(result, row, column);
    const std::uint64_t raw = BigEndian(PQgetvalue(result, row, column), length);
    if (length == 4) {
        const std::uint32_t bits = static_cast<std::uint32_t>(raw);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

std::string KeloPGResultClass::Bytes(int row, int column) const {
    return std::string(PQgetvalue(result, row, column),
                       static_cast<std::size_t>(PQgetlength(result, row, column)));
}

KeloPGConnectionClass::KeloPGConnectionClass(const std::string& conninfo) {
    std::string parseError;
    const auto values = ParseConnInfo(conninfo, &parseError);
    if (values.empty())
        throw KeloPGErrorClass("the connection string cannot be read: " + Clean(parseError));
    if (const auto found = values.find("password"); found != values.end())
        password = found->second;
    conn = PQconnectdb(conninfo.c_str());
    if (!conn)
        throw KeloPGErrorClass("out of memory connecting to " + KeloPGDescribeConnInfo(conninfo));
    if (PQstatus(conn) != CONNECTION_OK) {
        std::string reason = Clean(PQerrorMessage(conn));
        PQfinish(conn);
        conn = nullptr;
        throw KeloPGErrorClass("cannot connect to " + KeloPGDescribeConnInfo(conninfo) + ": " +
                               reason);
    }
    // Notices (an existing table, an implicit index) are not errors; only warnings are shown.
    Execute("SET client_min_messages = warning");
}

KeloPGConnectionClass::~KeloPGConnectionClass() {
    if (conn)
        PQfinish(conn);
}

std::string KeloPGConnectionClass::Clean(std::string message) const {
    // libpq's messages may name the user, port and address; only the reason is kept, and a
    // password, should it ever appear, is blotted out.
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    if (const std::size_t cut = message.rfind("failed: "); cut != std::string::npos)
        message = message.substr(cut + 8);
    if (const std::size_t line = message.find('\n'); line != std::string::npos)
        message = message.substr(0, line);
    if (!password.empty())
        for (std::size_t at; (at = message.find(password)) != std::string::npos;)
            message.replace(at, password.size(), "***");
    // Quoted names (users, roles) are dropped as well.
    for (std::size_t open; (open = message.find(" \"")) != std::string::npos;) {
        const std::size_t close = message.find('"', open + 2);
        if (close == std::string::npos)
            break;
        message.erase(open, close - open + 1);
    }
    return message;
}

std::string KeloPGConnectionClass::Describe() const {
    return ::Describe(PQhost(conn) ? PQhost(conn) : "", PQdb(conn) ? PQdb(conn) : "");
}

KeloPGResultClass KeloPGConnectionClass::Check(pg_result* result, bool expectRows) {
    KeloPGResultClass owned(result);
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK ||
        (!expectRows && status == PGRES_EMPTY_QUERY))
        return owned;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    throw KeloPGErrorClass(Clean(primary ? primary : PQerrorMessage(conn)), state ? state : "");
}

void KeloPGConnectionClass::Execute(const std::string& sql) {
    Check(PQexec(conn, sql.c_str()), false);
}

KeloPGResultClass KeloPGConnectionClass::Query(const std::string& sql,
                                               const KeloPGParamsClass& params) {
    auto found = prepared.find(sql);
    if (found == prepared.end()) {
        const std::string name = "kelo_" + std::to_string(prepared.size());
        Check(PQprepare(conn, name.c_str(), sql.c_str(), 0, nullptr), false);
        found = prepared.emplace(sql, name).first;
    }
    const std::vector<const char*> values = params.Values();
    const std::vector<int> lengths = params.Lengths();
    const std::vector<int> formats = params.Formats();
    return Check(PQexecPrepared(conn, found->second.c_str(), params.Count(), values.data(),
                                lengths.data(), formats.data(), 1),
                 true);
}

bool KeloPGConnectionClass::IsInTransaction() const {
    const PGTransactionStatusType status = PQtransactionStatus(conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

bool KeloPGConnectionClass::IsBroken() const {
    return PQstatus(conn) != CONNECTION_OK;
}

void KeloPGConnectionClass::NoteFailure(const std::string& message) {
    if (failure.empty())
        failure = message.empty() ? std::string("unknown database error") : message;
}

std::uint64_t KeloPGConnectionClass::PollNotifications() {
    if (PQconsumeInput(conn))
        while (PGnotify* notify = PQnotifies(conn)) {
            ++notifications;
            PQfreemem(notify);
        }
    return notifications;
}
