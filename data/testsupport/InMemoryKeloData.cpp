#include "InMemoryKeloData.h"

#include "KeloAverageSpeed.h"

#include <algorithm>

namespace {

using StatePtr = std::shared_ptr<InMemoryKeloDataClass::State>;

class MemStop : public KeloStopClass {
public:
    MemStop(StatePtr s, std::string c) : state(std::move(s)), code(std::move(c)) {}
    std::string GetCode() override {
        ++state->calls["Stop.GetCode"];
        return code;
    }
    std::string GetName() override {
        ++state->calls["Stop.GetName"];
        for (const auto& stop : state->data.stops)
            if (stop.code == code)
                return stop.name;
        return {};
    }

private:
    StatePtr state;
    std::string code;
};

class MemBus : public KeloBusClass {
public:
    explicit MemBus(InMemoryDataSet::Bus b) : bus(std::move(b)) {}
    std::string GetModel() override { return bus.model; }
    std::string GetCategory() override { return bus.category; }
    std::int32_t GetCapacity() override { return bus.capacity; }

private:
    InMemoryDataSet::Bus bus;
};

KeloBusPtrClass FindBusIn(const StatePtr& state, const std::string& model) {
    for (const auto& bus : state->data.buses)
        if (bus.model == model)
            return KeloBusPtrClass(new MemBus(bus));
    return {};
}

const InMemoryDataSet::Link* FindLink(const StatePtr& state, const std::string& a,
                                      const std::string& b) {
    for (const auto& link : state->data.links)
        if (link.from == a && link.to == b)
            return &link;
    return nullptr;
}

class MemStopSchedule : public KeloStopScheduleClass {
public:
    MemStopSchedule(StatePtr s, std::string n, std::int32_t i)
        : state(std::move(s)), number(std::move(n)), index(i) {}
    KeloStopPtrClass GetStop() override {
        ++state->calls["Entry.GetStop"];
        auto* row = Row();
        return row ? KeloStopPtrClass(new MemStop(state, row->code)) : KeloStopPtrClass();
    }
    KeloTimeType GetArrival() override {
        ++state->calls["Entry.GetArrival"];
        auto* row = Row();
        return row ? row->arrival : KeloTimeType();
    }
    KeloTimeType GetStay() override {
        ++state->calls["Entry.GetStay"];
        auto* row = Row();
        return row ? row->stay : KeloTimeType();
    }
    void SetArrival(KeloTimeType arrival) override {
        ++state->calls["Entry.SetArrival"];
        if (state->readOnly)
            return;
        if (auto* row = Row())
            row->arrival = arrival;
    }
    void SetStay(KeloTimeType stay) override {
        ++state->calls["Entry.SetStay"];
        if (state->readOnly)
            return;
        if (auto* row = Row())
            row->stay = stay;
    }

private:
    InMemoryDataSet::Row* Row() {
        auto* kelo = state->FindKelo(number);
        if (kelo == nullptr || index < 0 || index >= static_cast<std::int32_t>(kelo->rows.size()))
            return nullptr;
        return &kelo->rows[index];
    }
    StatePtr state;
    std::string number;
    std::int32_t index;
};

class MemSchedule : public KeloKeloScheduleClass {
public:
    MemSchedule(StatePtr s, std::string n) : state(std::move(s)), number(std::move(n)) {}
    std::int32_t GetCount() override {
        ++state->calls["Schedule.GetCount"];
        auto* kelo = state->FindKelo(number);
        return kelo ? static_cast<std::int32_t>(kelo->rows.size()) : 0;
    }
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override {
        ++state->calls["Schedule.GetItem"];
        return Entry(index);
    }
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override {
        ++state->calls["Schedule.AppendStop"];
        auto* kelo = state->FindKelo(number);
        if (kelo == nullptr || state->readOnly)
            return {};
        kelo->rows.push_back({code, KeloTimeType(), KeloTimeType()});
        return Entry(static_cast<std::int32_t>(kelo->rows.size()) - 1);
    }
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override {
        ++state->calls["Schedule.InsertStop"];
        auto* kelo = state->FindKelo(number);
        if (kelo == nullptr || state->readOnly)
            return {};
        if (index < 0 || index >= static_cast<std::int32_t>(kelo->rows.size())) {
            kelo->rows.push_back({code, KeloTimeType(), KeloTimeType()});
            return Entry(static_cast<std::int32_t>(kelo->rows.size()) - 1);
        }
        kelo->rows.insert(kelo->rows.begin() + index, {code, KeloTimeType(), KeloTimeType()});
        return Entry(index);
    }
    void RemoveStop(std::int32_t index) override {
        ++state->calls["Schedule.RemoveStop"];
        auto* kelo = state->FindKelo(number);
        if (kelo != nullptr && !state->readOnly && index >= 0 &&
            index < static_cast<std::int32_t>(kelo->rows.size()))
            kelo->rows.erase(kelo->rows.begin() + index);
    }

private:
    KeloStopSchedulePtrClass Entry(std::int32_t index) {
        return KeloStopSchedulePtrClass(new MemStopSchedule(state, number, index));
    }
    StatePtr state;
    std::string number;
};

class MemKelo : public KeloKeloClass {
public:
    MemKelo(StatePtr s, std::string n) : state(std::move(s)), number(std::move(n)) {}
    std::string GetNumber() override {
        ++state->calls["Kelo.GetNumber"];
        return number;
    }
    std::string GetName() override {
        ++state->calls["Kelo.GetName"];
        auto* kelo = state->FindKelo(number);
        return kelo ? kelo->name : std::string();
    }
    KeloKeloSchedulePtrClass GetSchedule() override {
        ++state->calls["Kelo.GetSchedule"];
        return KeloKeloSchedulePtrClass(new MemSchedule(state, number));
    }
    KeloBusPtrClass GetBus() override {
        ++state->calls["Kelo.GetBus"];
        auto* kelo = state->FindKelo(number);
        return kelo ? FindBusIn(state, kelo->bus) : KeloBusPtrClass();
    }
    float GetAverageSpeed() override {
        ++state->calls["Kelo.GetAverageSpeed"];
        auto* kelo = state->FindKelo(number);
        if (kelo == nullptr)
            return 0;
        KeloAverageSpeedType speed;
        for (std::size_t i = 0; i + 1 < kelo->rows.size(); ++i) {
            const auto& a = kelo->rows[i];
            const auto& b = kelo->rows[i + 1];
            const auto* link = FindLink(state, a.code, b.code);
            speed.AddRun(KeloDeparture(a.arrival, a.stay), b.arrival,
                         link ? std::optional<float>(link->distance) : std::nullopt);
        }
        return speed.Speed();
    }
    float GetDistance() override {
        ++state->calls["Kelo.GetDistance"];
        auto* kelo = state->FindKelo(number);
        float distance = 0;
        if (kelo != nullptr)
            for (std::size_t i = 0; i + 1 < kelo->rows.size(); ++i)
                if (const auto* link = FindLink(state, kelo->rows[i].code, kelo->rows[i + 1].code))
                    distance += link->distance;
        return distance;
    }
    void SetName(const std::string& name) override {
        ++state->calls["Kelo.SetName"];
        if (state->readOnly)
            return;
        if (auto* kelo = state->FindKelo(number))
            kelo->name = name;
    }
    void SetBus(const std::string& model) override {
        ++state->calls["Kelo.SetBus"];
        if (state->readOnly)
            return;
        if (auto* kelo = state->FindKelo(number))
            kelo->bus = model;
    }

private:
    StatePtr state;
    std::string number;
};

class MemKeloSet : public KeloKeloSetClass {
public:
    explicit MemKeloSet(StatePtr s) : state(std::move(s)) {
        for (const auto& kelo : state->data.kelos)
            numbers.push_back(kelo.number);
    }
    std::int32_t GetCount() override {
        ++state->calls["KeloSet.GetCount"];
        return static_cast<std::int32_t>(numbers.size());
    }
    KeloKeloPtrClass GetItem(std::int32_t index) override {
        ++state->calls["KeloSet.GetItem"];
        return KeloKeloPtrClass(new MemKelo(state, numbers.at(index)));
    }

private:
    StatePtr state;
    std::vector<std::string> numbers; // a snapshot, like the built-in source's kelo set
};

class MemStopSet : public KeloStopSetClass {
public:
    explicit MemStopSet(StatePtr s) : state(std::move(s)) {}
    std::int32_t GetCount() override {
        ++state->calls["StopSet.GetCount"];
        return static_cast<std::int32_t>(state->data.stops.size());
    }
    KeloStopPtrClass GetItem(std::int32_t index) override {
        ++state->calls["StopSet.GetItem"];
        return KeloStopPtrClass(new MemStop(state, state->data.stops.at(index).code));
    }

private:
    StatePtr state;
};

class MemTopology : public KeloTopologyClass {
public:
    explicit MemTopology(StatePtr s) : state(std::move(s)) {}
    bool HasLink(const std::string& a, const std::string& b) override {
        ++state->calls["HasLink"];
        return FindLink(state, a, b) != nullptr;
    }
    float GetDistance(const std::string& a, const std::string& b) override {
        ++state->calls["GetDistance"];
        const auto* link = FindLink(state, a, b);
        return link ? link->distance : 0.0f;
    }

private:
    StatePtr state;
};

} // namespace

void InMemoryDataSet::AddLinkBothWays(const std::string& a, const std::string& b, float distance) {
    links.push_back({a, b, distance});
    links.push_back({b, a, distance});
}

int InMemoryKeloDataClass::State::Calls(const std::string& operation) const {
    auto it = calls.find(operation);
    return it == calls.end() ? 0 : it->second;
}

InMemoryDataSet::Kelo* InMemoryKeloDataClass::State::FindKelo(const std::string& number) {
    for (auto& kelo : data.kelos)
        if (kelo.number == number)
            return &kelo;
    return nullptr;
}

InMemoryKeloDataClass::InMemoryKeloDataClass(InMemoryDataSet data)
    : state(std::make_shared<State>()) {
    state->data = std::move(data);
}

KeloKeloSetPtrClass InMemoryKeloDataClass::GetKeloSet() {
    ++state->calls["GetKeloSet"];
    return KeloKeloSetPtrClass(new MemKeloSet(state));
}

KeloStopSetPtrClass InMemoryKeloDataClass::GetStopSet() {
    ++state->calls["GetStopSet"];
    return KeloStopSetPtrClass(new MemStopSet(state));
}

KeloTopologyPtrClass InMemoryKeloDataClass::GetTopology() {
    ++state->calls["GetTopology"];
    return KeloTopologyPtrClass(new MemTopology(state));
}

KeloKeloPtrClass InMemoryKeloDataClass::FindKelo(const std::string& number) {
    ++state->calls["FindKelo"];
    if (state->FindKelo(number) == nullptr)
        return {};
    return KeloKeloPtrClass(new MemKelo(state, number));
}

KeloStopPtrClass InMemoryKeloDataClass::FindStop(const std::string& code) {
    ++state->calls["FindStop"];
    for (const auto& stop : state->data.stops)
        if (stop.code == code)
            return KeloStopPtrClass(new MemStop(state, code));
    return {};
}

KeloBusPtrClass InMemoryKeloDataClass::FindBus(const std::string& model) {
    ++state->calls["FindBus"];
    return FindBusIn(state, model);
}

KeloKeloPtrClass InMemoryKeloDataClass::CreateKelo(const std::string& number) {
    ++state->calls["CreateKelo"];
    if (!state->canCreate || state->readOnly)
        return {};
    state->data.kelos.push_back({number, {}, {}, {}});
    return KeloKeloPtrClass(new MemKelo(state, number));
}

void InMemoryKeloDataClass::DeleteKelo(const std::string& number) {
    ++state->calls["DeleteKelo"];
    if (state->readOnly)
        return;
    auto& kelos = state->data.kelos;
    auto it = std::find_if(kelos.begin(), kelos.end(),
                           [&](const InMemoryDataSet::Kelo& k) { return k.number == number; });
    if (it != kelos.end())
        kelos.erase(it);
}

KeloDataPtrClass MakeInMemorySource(InMemoryDataSet data, InMemoryKeloDataClass** spy) {
    auto* source = new InMemoryKeloDataClass(std::move(data));
    if (spy != nullptr)
        *spy = source;
    return KeloDataPtrClass(source);
}

InMemoryDataSet::Row MakeRow(const std::string& code, const std::string& arrival, int stay) {
    InMemoryDataSet::Row row;
    row.code = code;
    if (!arrival.empty())
        row.arrival =
            KeloTimeType(std::stoi(arrival.substr(0, 2)), std::stoi(arrival.substr(3, 2)));
    if (stay >= 0)
        row.stay = KeloTimeType(stay);
    return row;
}
