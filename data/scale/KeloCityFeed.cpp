#include "KeloCityFeed.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

// A square grid of streets, a stop at every crossing, about 400 m apart.
constexpr int GridSide = 44;
constexpr int RouteCount = 200;
constexpr int TrunkRow = GridSide / 2;

struct CellType {
    int row;
    int col;
};

struct RouteType {
    std::vector<int> stops; // grid indices, outward
    int headway = 0;        // minutes
    int firstDeparture = 0; // minutes after midnight, outward
    int tripsEachWay = 0;
    std::vector<int> legMinutes; // running time before each stop after the first
};

int StopIndex(CellType cell) {
    return cell.row * GridSide + cell.col;
}

// The draws go through the generator's raw output, whose sequence the standard fixes, so a
// seed gives the same feed on every library.
class DrawType {
public:
    explicit DrawType(std::uint32_t seed) : engine(seed) {}
    int Below(int n) { return static_cast<int>(engine() % static_cast<std::uint32_t>(n)); }
    double Unit() { return static_cast<double>(engine()) / 4294967296.0; }

private:
    std::mt19937 engine;
};

// The trunk crosses the city along the middle street and turns north at its end: 60 stops.
std::vector<int> TrunkStops() {
    std::vector<int> stops;
    for (int col = 0; col < GridSide; ++col)
        stops.push_back(StopIndex({TrunkRow, col}));
    for (int row = TrunkRow + 1; stops.size() < 60; ++row)
        stops.push_back(StopIndex({row, GridSide - 1}));
    return stops;
}

// A walk through the streets that mostly goes straight on and never calls twice at a stop.
// Every tenth route starts on the trunk's street, heading along it, so the trunk shares
// its stops with others as a real main road does.
std::vector<int> WalkRoute(DrawType& draw, int route, int length) {
    static constexpr CellType Steps[4] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (;;) {
        CellType at{draw.Below(GridSide), draw.Below(GridSide)};
        int heading = draw.Below(4);
        if (route % 10 == 0) {
            at.row = TrunkRow;
            heading = at.col < GridSide / 2 ? 0 : 2;
        }
        std::vector<bool> visited(GridSide * GridSide, false);
        std::vector<int> stops{StopIndex(at)};
        visited[StopIndex(at)] = true;
        while (static_cast<int>(stops.size()) < length) {
            const int turn = draw.Below(8); // straight on three times in four
            const int tries[3] = {turn < 6 ? heading : (heading + (turn == 6 ? 1 : 3)) % 4,
                                  (heading + 1) % 4, (heading + 3) % 4};
            bool moved = false;
            for (int next : tries) {
                const CellType to{at.row + Steps[next].row, at.col + Steps[next].col};
                if (to.row < 0 || to.row >= GridSide || to.col < 0 || to.col >= GridSide ||
                    visited[StopIndex(to)])
                    continue;
                at = to;
                heading = next;
                visited[StopIndex(at)] = true;
                stops.push_back(StopIndex(at));
                moved = true;
                break;
            }
            if (!moved)
                break; // boxed in: start again elsewhere
        }
        if (static_cast<int>(stops.size()) == length)
            return stops;
    }
}

std::vector<RouteType> MakeRoutes(DrawType& draw) {
    std::vector<RouteType> routes(RouteCount);
    for (int r = 0; r < RouteCount; ++r) {
        RouteType& route = routes[r];
        if (r == 0) {
            route.stops = TrunkStops();
            route.headway = 5;
            route.firstDeparture = 5 * 60;
            route.tripsEachWay = 228; // every 5 minutes until 23:55
        } else {
            // Most routes are short; a few reach 60 stops.
            const double u = draw.Unit();
            const int length = 25 + static_cast<int>(35 * u * u * u * u * u * u * u * u);
            route.stops = WalkRoute(draw, r, length);
            route.headway = 5 + draw.Below(26);
            route.firstDeparture = 5 * 60 + draw.Below(180);
            route.tripsEachWay = 10 + draw.Below(27);
        }
        route.legMinutes.push_back(0);
        for (std::size_t i = 1; i < route.stops.size(); ++i)
            route.legMinutes.push_back(r == 0 ? 2 : 1 + draw.Below(3));
        int runTime = 0;
        for (int leg : route.legMinutes)
            runTime += leg;
        runTime += static_cast<int>(route.stops.size()) / 5 + 3; // dwells, the way back's start
        // Every trip ends before midnight.
        const int last = (23 * 60 + 59 - runTime - route.firstDeparture) / route.headway;
        route.tripsEachWay = std::max(1, std::min(route.tripsEachWay, last + 1));
    }
    return routes;
}

class FileType {
public:
    explicit FileType(const std::string& path) : path(path), out(path, std::ios::binary) {
        if (!out)
            throw std::runtime_error("cannot write " + path);
    }
    void Line(const char* text) { out << text << '\n'; }
    void Close() {
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + path);
    }

private:
    std::string path;
    std::ofstream out;
};

void Clock(char* text, std::size_t size, int minutes) {
    std::snprintf(text, size, "%02d:%02d:00", minutes / 60, minutes % 60);
}

} // namespace

KeloCityFeedSummaryType WriteKeloCityFeed(const std::string& dir, std::uint32_t seed) {
    std::filesystem::create_directories(dir);
    DrawType draw(seed);
    const std::vector<RouteType> routes = MakeRoutes(draw);
    KeloCityFeedSummaryType summary;
    summary.routes = RouteCount;
    summary.stops = GridSide * GridSide;
    char line[200];

    FileType stops(dir + "/stops.txt");
    stops.Line("stop_id,stop_code,stop_name,stop_lat,stop_lon");
    for (int s = 0; s < GridSide * GridSide; ++s) {
        std::snprintf(line, sizeof line, "S%d,%d,\"Улица %d / Проспект %d\",%.6f,%.6f", s,
                      200000 + s, s / GridSide + 1, s % GridSide + 1,
                      50.40 + 0.0036 * (s / GridSide), 30.40 + 0.0056 * (s % GridSide));
        stops.Line(line);
    }
    stops.Close();

    FileType routeFile(dir + "/routes.txt");
    routeFile.Line("route_id,route_short_name,route_long_name,route_type");
    for (int r = 0; r < RouteCount; ++r) {
        std::snprintf(line, sizeof line, "R%d,%d,\"Маршрут %d\",3", r, r + 1, r + 1);
        routeFile.Line(line);
    }
    routeFile.Close();

    FileType calendar(dir + "/calendar.txt");
    calendar.Line("service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,"
                  "start_date,end_date");
    calendar.Line("DAY,1,1,1,1,1,1,1,20260101,20261231");
    calendar.Close();

    FileType trips(dir + "/trips.txt");
    FileType times(dir + "/stop_times.txt");
    trips.Line("route_id,service_id,trip_id,direction_id");
    times.Line("trip_id,arrival_time,departure_time,stop_id,stop_sequence");
    for (int r = 0; r < RouteCount; ++r) {
        const RouteType& route = routes[r];
        const int n = static_cast<int>(route.stops.size());
        for (int back = 0; back < 2; ++back) {
            for (int t = 0; t < route.tripsEachWay; ++t) {
                char trip[32];
                std::snprintf(trip, sizeof trip, "R%d%c%d", r, back ? 'B' : 'A', t);
                std::snprintf(line, sizeof line, "R%d,DAY,%s,%d", r, trip, back);
                trips.Line(line);
                // The way back leaves two minutes after the way out.
                int at = route.firstDeparture + 2 * back + t * route.headway;
                for (int i = 0; i < n; ++i) {
                    const int k = back ? n - 1 - i : i;
                    if (i > 0)
                        at += route.legMinutes[back ? k + 1 : k];
                    // Every fifth stop keeps the bus a minute.
                    const int dwell = (i > 0 && i < n - 1 && k % 5 == 0) ? 1 : 0;
                    char arrival[32], departure[32];
                    Clock(arrival, sizeof arrival, at);
                    Clock(departure, sizeof departure, at + dwell);
                    std::snprintf(line, sizeof line, "%s,%s,%s,S%d,%d", trip, arrival, departure,
                                  route.stops[k], i + 1);
                    times.Line(line);
                    at += dwell;
                    ++summary.stopTimes;
                }
                ++summary.trips;
            }
        }
    }
    trips.Close();
    times.Close();
    return summary;
}
