#!/usr/bin/env python3
"""Generates the built-in demonstration data set as UTF-8 text tables.

Run by hand from any folder:  python3 generate_dataset.py [output folder]
(default: ../tables beside this script). The output is committed; the build never runs
this script, it compiles the tables with kelo_demo_tablegen. The generator is
deterministic: the same seed gives byte-identical tables.

The data is a hub-and-spoke regional network around the bus station "ВИННИЦА 1":
trunk roads to the district centres of the region with villages along them, dead-end
branch roads from the district centres, and a few long-distance services to far cities.
Distances are road distances in tenths of a kilometre along that road graph; a link
between two stops that are not neighbours on a road is the shortest road path between
them. Timetables are made from running speeds and dwell times per kind of service.
"""
import heapq
import math
import os
import random
import sys
from collections import defaultdict

SEED = 1251

# Shape the whole data set must keep.
STOP_COUNT = 441
LINK_PAIR_COUNT = 569
KELO_COUNT = 176
ROW_COUNT = 2139
MARK_QUOTA = {"": 185, "#": 184, "+": 72}
EMPTY = 2147483647

BUSES = [
    ("КАВЗ-685", "ЖСТ"), ("ЛИАЗ-677", "ЖСТ"), ("ЛАЗ-42021", "ЖСТ"), ("ЛАЗ-695", "ЖСТ"),
    ("ЛАЗ-695Г", "ЖСТ"), ("ЛАЗ-697", "МГК"), ("ЛАЗ-699", "МГК"), ("МЕРСЕДЕС-1", "МГК"),
    ("МЕРСЕДЕС-16", "МГК"), ("МЕРСЕДЕС-МА", "МГК"), ("НИСАН-14", "МГК"), ("ПАЗ-672", "ЖСТ"),
    ("ПАЗ-672(М)", "МГК"), ("РАФ-2203", "МГК"), ("ФОРД-13", "МГК"), ("ИК-211", "ЖСТ"),
    ("ИК-250", "МГК"), ("ИК-255", "МГК"), ("ИК-256", "МГК"), ("ИК-260М", "МГК"),
    ("ГАЗ-3221", "МГК"), ("ГАЗЕЛЬ-13", "МГК"), ("ГАЗЕЛЬ-14", "МГК"),
]
LOCAL_BUSES = ["ПАЗ-672", "КАВЗ-685", "ЛАЗ-695", "ЛАЗ-695Г", "ЛИАЗ-677", "ЛАЗ-42021",
               "ПАЗ-672(М)", "РАФ-2203", "ГАЗ-3221", "ГАЗЕЛЬ-13", "ИК-211"]
REGIONAL_BUSES = ["ЛАЗ-697", "ЛАЗ-699", "ИК-250", "МЕРСЕДЕС-МА", "ФОРД-13", "НИСАН-14",
                  "ГАЗЕЛЬ-14", "МЕРСЕДЕС-16", "ИК-256"]
LONG_BUSES = ["ИК-250", "ИК-255", "ИК-256", "ИК-260М", "МЕРСЕДЕС-1", "ЛАЗ-699"]

# Village names of the region, one a line; drawn in a seeded order for the villages.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "village_names.txt"),
          encoding="utf-8") as names_file:
    VILLAGE_POOL = [line.strip() for line in names_file if line.strip()]

# Landmarks that become "#" points on the roads (one each).
LANDMARKS = ["САНАТОРИЙ", "ПТИЦЕФАБРИКА", "ЭЛЕВАТОР", "КАРЬЕР", "ЛЕСНИЧЕСТВО", "АЭРОПОРТ",
             "ДОРОЖНЫЙ ПОСТ", "ПЕРЕЕЗД", "МОЛОКОЗАВОД", "ПИОНЕРЛАГЕРЬ", "ТУРБАЗА", "МОТЕЛЬ"]

rng = random.Random(SEED)
MAJOR = 0.4   # share of villages where semi-express services call


class Stop:
    def __init__(self, code, name, kind, mark=None, major=False):
        self.code = code
        self.name = name        # without its mark
        self.kind = kind        # "city", "village" or "point"
        self.mark = mark        # fixed mark, or None to be assigned
        self.major = major      # semi-express services call here

    def full(self):
        return self.name + (self.mark or "")


stops = {}          # name -> Stop
codes = set()
graph = defaultdict(dict)   # name -> {name: tenths of km}
pool = list(VILLAGE_POOL)
rng.shuffle(pool)
landmarks = list(LANDMARKS)


def add_stop(name, prefix=None, kind="village", code=None, mark=None, major=False):
    assert name not in stops, name
    if code is None:
        free = [i for i in range(1, 100) if "%s%02d" % (prefix, i) not in codes]
        code = "%s%02d" % (prefix, rng.choice(free))
    assert len(code) == 6 and code.isdigit() and code not in codes, code
    codes.add(code)
    stops[name] = Stop(code, name, kind, mark, major)
    return name


def take_village_name():
    while True:
        name = pool.pop()
        if name not in stops:
            return name


def add_edge(a, b, tenths):
    assert a != b and tenths >= 0
    graph[a][b] = tenths
    graph[b][a] = tenths


def road(a, b, km, count, prefix, points=0):
    """A road from a to b of `km` with `count` new stops along it (`points` of them points)."""
    total = round(km * 10)
    names = []
    point_slots = set(rng.sample(range(count), points)) if points else set()
    for i in range(count):
        if i in point_slots:
            if landmarks and rng.random() < 0.5:
                name = landmarks.pop(0)
            else:
                name = "ПОВОРОТ НА " + take_village_name()
            names.append(add_stop(name, prefix, kind="point"))
        else:
            names.append(add_stop(take_village_name(), prefix, major=rng.random() < MAJOR))
    weights = [rng.uniform(0.6, 1.5) for _ in range(count + 1)]
    scale = total / sum(weights)
    parts = [max(8, round(w * scale)) for w in weights[:-1]]
    parts.append(total - sum(parts))
    assert parts[-1] >= 8, (a, b)
    chain = [a] + names + [b]
    for i in range(len(chain) - 1):
        add_edge(chain[i], chain[i + 1], parts[i])
    return names


def fixed_road(chain, tenths):
    for i in range(len(chain) - 1):
        add_edge(chain[i], chain[i + 1], tenths[i])


def shortest(a, b):
    """Shortest road path from a to b: (tenths, [stops])."""
    best = {a: 0}
    prev = {}
    heap = [(0, a)]
    while heap:
        d, n = heapq.heappop(heap)
        if n == b:
            break
        if d > best[n]:
            continue
        for m, w in sorted(graph[n].items()):
            if d + w < best.get(m, 1 << 60):
                best[m] = d + w
                prev[m] = n
                heapq.heappush(heap, (d + w, m))
    assert b in best, (a, b)
    path = [b]
    while path[-1] != a:
        path.append(prev[path[-1]])
    return best[b], path[::-1]


def via(*waypoints):
    """All stops along the roads through the waypoints."""
    route = [waypoints[0]]
    for a, b in zip(waypoints, waypoints[1:]):
        route += shortest(a, b)[1][1:]
    return route


def semi(route, every=None, longest=18):
    """The calls of a semi-express service: towns, every `every`-th larger village, ends.
    Without `every`, the densest pattern that keeps the timetable within `longest` rows."""
    if every is None:
        every = 1
        while len(semi(route, every)) > longest:
            every += 1
        return semi(route, every)
    keep, seen = [], 0
    for i, s in enumerate(route):
        if i == 0 or i == len(route) - 1 or stops[s].kind == "city":
            keep.append(s)
        elif stops[s].major:
            if seen % every == 0:
                keep.append(s)
            seen += 1
    return keep


# ---------------------------------------------------------------- places and roads
V = add_stop("ВИННИЦА 1", code="050100", kind="city")
# The road of the suburban service "02П"; its stops and distances are fixed.
fixed = [("ПИСАРЕВКА", "050157", "#"), ("ГУМЕННОЕ", "050104", "+"),
         ("СОКИРИНЦЫ", "050102", "+"), ("ВОРОНОВИЦА", "050101", "+"),
         ("СТЕПАНОВКА", "052307", "#"), ("ПОБЕРЕЖНОЕ", "054308", "#"),
         ("ОБЕДНОЕ", "054946", "#"), ("ВОЛОВОДОВКА", "054947", "#")]
for name, code, mark in fixed:
    add_stop(name, code=code, mark=mark, major=name == "ВОРОНОВИЦА")
for name, _, _ in fixed:
    if name in pool:
        pool.remove(name)
L02 = [V] + [n for n, _, _ in fixed]
fixed_road(L02, [102, 40, 10, 82, 40, 31, 74, 20])

CENTRES = [  # district centres of the region: name, district code
    ("БАР", "03"), ("БЕРШАДЬ", "05"), ("ГАЙСИН", "07"), ("ЖМЕРИНКА", "09"),
    ("ИЛЬИНЦЫ", "11"), ("КАЗАТИН", "13"), ("КАЛИНОВКА", "15"), ("КРЫЖОПОЛЬ", "17"),
    ("ЛИПОВЕЦ", "19"), ("ЛИТИН", "21"), ("ТЫВРОВ", "23"), ("МОГИЛЕВ-ПОДОЛЬСКИЙ", "25"),
    ("МУРОВАННЫЕ КУРИЛОВЦЫ", "27"), ("ОРАТОВ", "29"), ("ПЕСЧАНКА", "31"),
    ("ПОГРЕБИЩЕ", "33"), ("ТЕПЛИК", "35"), ("ТОМАШПОЛЬ", "37"), ("ТРОСТЯНЕЦ", "39"),
    ("ТУЛЬЧИН", "41"), ("БРАЦЛАВ", "43"), ("ХМЕЛЬНИК", "45"), ("ЧЕЧЕЛЬНИК", "47"),
    ("НЕМИРОВ", "49"), ("ШАРГОРОД", "53"), ("ЯМПОЛЬ", "55"),
]
DISTRICT = {name: "05" + d for name, d in CENTRES}
DISTRICT[V] = "0501"
for name, d in CENTRES:
    add_stop(name, code="05%s00" % d, kind="city")
add_stop("ГНИВАНЬ", "0523", kind="city")
FAR = [  # cities outside the region, with codes of their own regions
    ("КЕЛЬМЕНЦЫ", "775100"), ("СОКИРЯНЫ", "775500"), ("ХОТИН", "776100"),
    ("ЧЕРНОВЦЫ", "770100"), ("КОТОВСК", "510700"), ("РАЗДЕЛЬНАЯ", "514100"),
    ("ОДЕССА", "510100"), ("НИКОЛАЕВ", "480100"), ("ХЕРСОН", "650100"),
    ("АРМЯНСК", "430700"), ("ДЖАНКОЙ", "431100"), ("СИМФЕРОПОЛЬ", "430100"),
    ("АЛУШТА", "430300"), ("ЯЛТА", "430500"), ("ЛЕТИЧЕВ", "683100"),
    ("ХМЕЛЬНИЦКИЙ", "680100"), ("ТЕРНОПОЛЬ", "610100"), ("ЛЬВОВ", "460100"),
    ("БЕРДИЧЕВ", "180300"), ("ЖИТОМИР", "180100"), ("КИЕВ", "800100"), ("УМАНЬ", "711000"),
]
for name, code in FAR:
    add_stop(name, code=code, kind="city")
# The bus platform at the Жмеринка railway station shares the place of the bus station.
add_stop("ЖМЕРИНКА ПЕРРОН", "0509", kind="point", mark="#")
add_edge("ЖМЕРИНКА", "ЖМЕРИНКА ПЕРРОН", 0)

# Trunk roads of the region: from, to, km, stops between, district of those stops, points.
ROADS = [
    ("ВОЛОВОДОВКА", "НЕМИРОВ", 12.6, 2, "0549", 0),
    ("НЕМИРОВ", "БРАЦЛАВ", 18.5, 3, "0543", 0),
    ("БРАЦЛАВ", "ТУЛЬЧИН", 22.4, 3, "0541", 1),
    ("ТУЛЬЧИН", "КРЫЖОПОЛЬ", 38.0, 4, "0517", 0),
    ("КРЫЖОПОЛЬ", "ПЕСЧАНКА", 24.0, 2, "0531", 0),
    ("НЕМИРОВ", "ГАЙСИН", 46.0, 5, "0507", 1),
    ("ГАЙСИН", "ТЕПЛИК", 33.0, 4, "0535", 0),
    ("ГАЙСИН", "БЕРШАДЬ", 52.0, 5, "0505", 1),
    ("БЕРШАДЬ", "ЧЕЧЕЛЬНИК", 38.0, 4, "0547", 0),
    ("ГАЙСИН", "УМАНЬ", 68.0, 2, "0507", 0),
    ("ТУЛЬЧИН", "ТОМАШПОЛЬ", 34.0, 4, "0537", 0),
    ("ТОМАШПОЛЬ", "ЯМПОЛЬ", 41.0, 4, "0555", 0),
    ("ТУЛЬЧИН", "ТРОСТЯНЕЦ", 42.0, 4, "0539", 0),
    ("ВИННИЦА 1", "ГНИВАНЬ", 21.0, 4, "0523", 1),
    ("ГНИВАНЬ", "ЖМЕРИНКА", 24.0, 3, "0509", 0),
    ("ЖМЕРИНКА", "ШАРГОРОД", 42.0, 5, "0553", 0),
    ("ШАРГОРОД", "МОГИЛЕВ-ПОДОЛЬСКИЙ", 48.0, 5, "0525", 1),
    ("МОГИЛЕВ-ПОДОЛЬСКИЙ", "ЯМПОЛЬ", 98.0, 7, "0555", 1),
    ("ЯМПОЛЬ", "КРЫЖОПОЛЬ", 44.0, 3, "0517", 0),
    ("ЖМЕРИНКА", "БАР", 36.0, 4, "0503", 0),
    ("БАР", "МУРОВАННЫЕ КУРИЛОВЦЫ", 41.0, 4, "0527", 0),
    ("МУРОВАННЫЕ КУРИЛОВЦЫ", "МОГИЛЕВ-ПОДОЛЬСКИЙ", 37.0, 3, "0527", 0),
    ("ВИННИЦА 1", "ЛИТИН", 34.0, 5, "0521", 0),
    ("ЛИТИН", "ЛЕТИЧЕВ", 36.0, 3, "0521", 0),
    ("ЛЕТИЧЕВ", "ХМЕЛЬНИЦКИЙ", 54.0, 2, "6831", 0),
    ("ВИННИЦА 1", "ХМЕЛЬНИК", 63.0, 7, "0545", 1),
    ("ВИННИЦА 1", "КАЛИНОВКА", 27.0, 5, "0515", 0),
    ("КАЛИНОВКА", "КАЗАТИН", 34.0, 4, "0513", 0),
    ("КАЛИНОВКА", "БЕРДИЧЕВ", 52.0, 3, "0515", 0),
    ("ВИННИЦА 1", "ЛИПОВЕЦ", 48.0, 5, "0519", 1),
    ("ЛИПОВЕЦ", "ПОГРЕБИЩЕ", 34.0, 3, "0533", 0),
    ("ЛИПОВЕЦ", "ИЛЬИНЦЫ", 28.0, 3, "0511", 0),
    ("ЛИПОВЕЦ", "ОРАТОВ", 38.0, 3, "0529", 0),
    ("ВИННИЦА 1", "ТЫВРОВ", 26.0, 4, "0523", 0),
    ("ТЫВРОВ", "ШПИКОВ", 24.0, 3, "0523", 0),
]
ROAD_DENSITY = 2.0   # stops along trunk roads, relative to the base counts above
add_stop("ШПИКОВ", "0541", major=True)
if "ШПИКОВ" in pool:
    pool.remove("ШПИКОВ")
for i, (a, b, km, count, prefix, points) in enumerate(ROADS):
    if i >= 3:
        count = round(count * ROAD_DENSITY)
    names = road(a, b, km, count, prefix, points)
    if (a, b) == ("ВИННИЦА 1", "ЛИТИН"):
        # The campsite by the western road out of the city.
        add_stop("КЕМПИНГ", "0521", kind="point", mark="#")
        x, y = names[1], names[2]
        w = graph[x][y]
        del graph[x][y], graph[y][x]
        add_edge(x, "КЕМПИНГ", w // 2)
        add_edge("КЕМПИНГ", y, w - w // 2)

# Roads to the far cities, without stops between (tenths of km).
for a, b, km in [
    ("МОГИЛЕВ-ПОДОЛЬСКИЙ", "СОКИРЯНЫ", 38), ("СОКИРЯНЫ", "КЕЛЬМЕНЦЫ", 31),
    ("КЕЛЬМЕНЦЫ", "ХОТИН", 36), ("ХОТИН", "ЧЕРНОВЦЫ", 62),
    ("ПЕСЧАНКА", "КОТОВСК", 110), ("КОТОВСК", "РАЗДЕЛЬНАЯ", 108),
    ("РАЗДЕЛЬНАЯ", "ОДЕССА", 74), ("ОДЕССА", "НИКОЛАЕВ", 132), ("НИКОЛАЕВ", "ХЕРСОН", 68),
    ("ХЕРСОН", "АРМЯНСК", 150), ("АРМЯНСК", "ДЖАНКОЙ", 76), ("ДЖАНКОЙ", "СИМФЕРОПОЛЬ", 93),
    ("СИМФЕРОПОЛЬ", "АЛУШТА", 50), ("АЛУШТА", "ЯЛТА", 41),
    ("ХМЕЛЬНИЦКИЙ", "ТЕРНОПОЛЬ", 112), ("ТЕРНОПОЛЬ", "ЛЬВОВ", 128),
    ("БЕРДИЧЕВ", "ЖИТОМИР", 44), ("ЖИТОМИР", "КИЕВ", 140),
]:
    add_edge(a, b, km * 10)

# Links that are not the shortest road path: the direct road from the city to
# Вороновица, and the through road from Кельменцы to Симферополь used by the express.
LINK_OVERRIDE = {
    frozenset((V, "ВОРОНОВИЦА")): 240,
    frozenset(("КЕЛЬМЕНЦЫ", "СИМФЕРОПОЛЬ")): 10320,
}
BIG_CITIES = {V, "ОДЕССА", "КИЕВ", "ЛЬВОВ", "СИМФЕРОПОЛЬ", "ЧЕРНОВЦЫ", "ХМЕЛЬНИЦКИЙ",
              "ЖИТОМИР", "НИКОЛАЕВ", "ХЕРСОН", "ТЕРНОПОЛЬ"}


def link_tenths(a, b):
    key = frozenset((a, b))
    if key in LINK_OVERRIDE:
        return LINK_OVERRIDE[key]
    return shortest(a, b)[0]


# ---------------------------------------------------------------- services
class Kelo:
    """One service: its calls first, its times once every route is final."""

    def __init__(self, number, route, kind, bus, start=None, anchor=None, first_stay=0):
        self.number = number
        self.route = list(route)
        self.kind = kind
        self.bus = bus
        self.start = start
        self.anchor = anchor          # (stop, arrival) the timetable is laid around
        self.first_stay = first_stay
        self.outward = None           # for a return: the outward kelo and the turn-round
        self.layover = 0
        self.fixed_rows = None        # published timetables are kept as they are
        self.trunk = None             # (all stops of the trunk part, calls among them)
        self.branch = []              # the villages past the trunk part, outward order
        self.rows = []

    def name(self):
        return stops[self.rows[0][0]].full() + " - " + stops[self.rows[-1][0]].full()


kelos = []
SPEED = {"local": (38, 46), "regional": (48, 58), "long": (56, 66)}


def fmt(number, letter):
    return ("%02d" % number if letter else "%d" % number) + letter


def hm(text):
    h, m = text.split(":")
    return int(h) * 60 + int(m)


def pair(number, letter, route, kind, start, bus=None, back=None, first_stay=0,
         anchor=None, back_anchor=None):
    """An outward kelo and its return; the return leaves after a turn-round at the end."""
    if bus is None:
        bus = rng.choice({"local": LOCAL_BUSES, "regional": REGIONAL_BUSES,
                          "long": LONG_BUSES}[kind])
    out = Kelo(fmt(number, letter), route, kind, bus, start=start, anchor=anchor,
               first_stay=first_stay)
    ret = Kelo(fmt(number + 1, letter), route[::-1], kind, bus, start=back,
               anchor=back_anchor)
    if back is None and back_anchor is None:
        ret.outward = out
        ret.layover = rng.choice([20, 25, 30, 40, 45, 60, 75])
    kelos.extend([out, ret])
    return out, ret


def fixed(number, name_rows, bus):
    k = Kelo(number, [s for s, _, _ in name_rows], "local", bus)
    k.fixed_rows = [[s, hm(t), st] for s, t, st in name_rows]
    kelos.append(k)
    return k


# "02П" exactly as published, and its return.
fixed("02П", [(V, "08:00", 0), ("ПИСАРЕВКА", "08:14", 1), ("ГУМЕННОЕ", "08:20", 1),
              ("СОКИРИНЦЫ", "08:23", 1), ("ВОРОНОВИЦА", "08:35", 1),
              ("СТЕПАНОВКА", "08:40", 1), ("ПОБЕРЕЖНОЕ", "08:45", 1), ("ОБЕДНОЕ", "08:58", 1),
              ("ВОЛОВОДОВКА", "09:05", EMPTY)], "ПАЗ-672")
kelos.append(Kelo("03П", L02[::-1], "local", "ПАЗ-672", start=hm("09:30")))

# "100" exactly as published: Кельменцы to Симферополь over midnight.
k100 = fixed("100", [
    ("КЕЛЬМЕНЦЫ", "14:30", 2), ("СОКИРЯНЫ", "15:12", 3), ("МОГИЛЕВ-ПОДОЛЬСКИЙ", "16:02", 10),
    ("ЯМПОЛЬ", "17:55", 5), ("КРЫЖОПОЛЬ", "18:52", 3), ("ПЕСЧАНКА", "19:25", 5),
    ("КОТОВСК", "21:45", 15), ("РАЗДЕЛЬНАЯ", "00:10", 5), ("ОДЕССА", "01:30", 25),
    ("НИКОЛАЕВ", "04:05", 10), ("ХЕРСОН", "05:30", 10), ("АРМЯНСК", "07:50", 5),
    ("ДЖАНКОЙ", "09:05", 5), ("СИМФЕРОПОЛЬ", "10:40", EMPTY)], "ИК-256")
kelos.append(Kelo("101", k100.route[::-1], "long", "ИК-256", start=hm("13:30")))

# The express from Хотин to the southern coast over the through road (first stay: boarding).
pair(104, "", ["ХОТИН", "КЕЛЬМЕНЦЫ", "СИМФЕРОПОЛЬ", "АЛУШТА", "ЯЛТА"], "long",
     hm("15:40"), bus="ИК-260М", first_stay=5, back=hm("16:00"))

# South-east: the road of "02П" on to Немиров, Тульчин, Гайсин and beyond.
pair(4, "П", L02, "local", hm("17:20"), bus="ПАЗ-672")
pair(20, "Н", via(V, "НЕМИРОВ"), "local", hm("06:40"))
pair(22, "Н", via(V, "НЕМИРОВ"), "local", hm("12:50"))
pair(30, "Т", via(V, "ТУЛЬЧИН"), "local", hm("07:15"))
pair(32, "Т", semi(via(V, "ВОРОНОВИЦА", "ТУЛЬЧИН")), "regional", hm("15:30"))
pair(40, "Г", semi(via(V, "ВОРОНОВИЦА", "ГАЙСИН")), "regional", hm("08:30"))
pair(42, "Г", semi(via(V, "ВОРОНОВИЦА", "ТЕПЛИК")), "regional", hm("11:00"))
pair(44, "Г", semi(via(V, "ВОРОНОВИЦА", "БЕРШАДЬ")), "regional", hm("09:40"))
pair(46, "Г", semi(via(V, "ВОРОНОВИЦА", "ЧЕЧЕЛЬНИК")), "regional", hm("06:20"))
pair(50, "Т", semi(via(V, "ВОРОНОВИЦА", "ТОМАШПОЛЬ", "ЯМПОЛЬ")), "regional", hm("10:20"))
pair(52, "Т", semi(via(V, "ВОРОНОВИЦА", "КРЫЖОПОЛЬ", "ПЕСЧАНКА")), "regional",
     hm("13:40"))
pair(120, "", semi(via(V, "ВОРОНОВИЦА", "НЕМИРОВ", "ТУЛЬЧИН", "ПЕСЧАНКА"), 3)
     + ["КОТОВСК", "РАЗДЕЛЬНАЯ", "ОДЕССА"], "long", hm("07:00"), back=hm("07:30"))
pair(122, "", semi(via(V, "ВОРОНОВИЦА", "ГАЙСИН")) + via("ГАЙСИН", "УМАНЬ")[1:], "regional",
     hm("09:00"))
# The night service from Львов to Одесса passes the city just before midnight both ways.
pair(150, "", ["ЛЬВОВ", "ТЕРНОПОЛЬ", "ХМЕЛЬНИЦКИЙ", "ЛЕТИЧЕВ", "ЛИТИН", V, "ВОРОНОВИЦА",
               "НЕМИРОВ", "ТУЛЬЧИН", "КРЫЖОПОЛЬ", "ПЕСЧАНКА", "КОТОВСК", "РАЗДЕЛЬНАЯ",
               "ОДЕССА"], "long", None, bus="ИК-255", first_stay=10,
     anchor=(V, hm("23:35")), back_anchor=(V, hm("23:30")))
pair(160, "", [V, "ВОРОНОВИЦА", "НЕМИРОВ", "ТУЛЬЧИН", "КРЫЖОПОЛЬ", "КОТОВСК", "ОДЕССА",
               "НИКОЛАЕВ", "ХЕРСОН", "АРМЯНСК", "ДЖАНКОЙ", "СИМФЕРОПОЛЬ"], "long",
     hm("16:00"), bus="МЕРСЕДЕС-1", first_stay=10, back=hm("15:00"))

# North: Калиновка, Казатин, Бердичев, Житомир, Киев.
pair(60, "К", via(V, "КАЛИНОВКА"), "local", hm("06:10"))
pair(62, "К", via(V, "КАЛИНОВКА"), "local", hm("11:30"))
pair(64, "К", via(V, "КАЛИНОВКА"), "local", hm("17:00"))
pair(66, "К", semi(via(V, "КАЛИНОВКА", "КАЗАТИН")), "regional", hm("07:45"))
pair(68, "К", semi(via(V, "КАЛИНОВКА", "БЕРДИЧЕВ")), "regional", hm("09:15"))
pair(130, "", semi(via(V, "КАЛИНОВКА", "БЕРДИЧЕВ", "ЖИТОМИР")), "regional", hm("08:10"))
pair(132, "", semi(via(V, "КАЛИНОВКА", "БЕРДИЧЕВ"), 2) + ["ЖИТОМИР", "КИЕВ"], "long",
     hm("06:00"))
pair(134, "", ["КИЕВ", "ЖИТОМИР", "БЕРДИЧЕВ", "КАЛИНОВКА", V, "ГНИВАНЬ", "ЖМЕРИНКА",
               "ШАРГОРОД", "МОГИЛЕВ-ПОДОЛЬСКИЙ"], "long", None, anchor=(V, hm("00:10")),
     back_anchor=(V, hm("00:05")))

# South-west: Жмеринка, Бар, Шаргород, Могилев-Подольский, Черновцы.
pair(10, "М", semi(via(V, "ЖМЕРИНКА", "МОГИЛЕВ-ПОДОЛЬСКИЙ")), "regional", hm("07:30"))
pair(12, "М", semi(via(V, "ЖМЕРИНКА", "МОГИЛЕВ-ПОДОЛЬСКИЙ")), "regional", hm("14:20"))
pair(70, "Ж", via(V, "ЖМЕРИНКА"), "local", hm("06:30"))
pair(72, "Ж", via(V, "ЖМЕРИНКА"), "local", hm("15:10"))
pair(74, "Ж", semi(via(V, "ЖМЕРИНКА", "БАР")), "regional", hm("08:50"))
pair(76, "Ж", semi(via(V, "ЖМЕРИНКА", "ШАРГОРОД")), "regional", hm("12:10"))
pair(78, "Ж", semi(via(V, "ЖМЕРИНКА", "БАР", "МУРОВАННЫЕ КУРИЛОВЦЫ")), "regional",
     hm("10:05"))
pair(140, "", semi(via(V, "ЖМЕРИНКА", "МОГИЛЕВ-ПОДОЛЬСКИЙ"), 4)
     + ["СОКИРЯНЫ", "КЕЛЬМЕНЦЫ", "ХОТИН", "ЧЕРНОВЦЫ"], "long", hm("09:30"))

# West: Литин, Летичев, Хмельницкий, Тернополь, Львов.
pair(80, "Л", via(V, "ЛИТИН"), "local", hm("07:05"))
pair(82, "Л", via(V, "ЛИТИН"), "local", hm("16:10"))
pair(84, "Л", semi(via(V, "ХМЕЛЬНИЦКИЙ")), "regional", hm("08:20"))
pair(86, "Л", semi(via(V, "ЛЕТИЧЕВ")), "regional", hm("13:00"))
pair(142, "", semi(via(V, "ХМЕЛЬНИЦКИЙ"), 3) + ["ТЕРНОПОЛЬ"], "long", hm("10:00"))
pair(144, "", semi(via(V, "ЛЕТИЧЕВ"), 4) + ["ХМЕЛЬНИЦКИЙ", "ТЕРНОПОЛЬ", "ЛЬВОВ"], "long",
     hm("06:45"))

# North-west, east and south of the city.
pair(90, "Х", via(V, "ХМЕЛЬНИК"), "local", hm("07:40"))
pair(92, "Х", semi(via(V, "ХМЕЛЬНИК")), "regional", hm("14:45"))
pair(26, "Л", via(V, "ЛИПОВЕЦ"), "local", hm("08:00"))
pair(28, "П", semi(via(V, "ЛИПОВЕЦ", "ПОГРЕБИЩЕ")), "regional", hm("10:30"))
pair(34, "И", semi(via(V, "ЛИПОВЕЦ", "ИЛЬИНЦЫ")), "regional", hm("12:00"))
pair(36, "О", semi(via(V, "ЛИПОВЕЦ", "ОРАТОВ")), "regional", hm("09:20"))
pair(6, "П", via(V, "ТЫВРОВ"), "local", hm("07:50"))
pair(8, "П", via(V, "ШПИКОВ"), "local", hm("13:30"))

# Services between district centres, calling everywhere.
for number, (a, b), start in zip(range(300, 400, 2), [
    ("ТУЛЬЧИН", "ЯМПОЛЬ"), ("МОГИЛЕВ-ПОДОЛЬСКИЙ", "ЯМПОЛЬ"), ("ГАЙСИН", "ЧЕЧЕЛЬНИК"),
    ("ГАЙСИН", "ТЕПЛИК"), ("ТУЛЬЧИН", "ТРОСТЯНЕЦ"), ("ТУЛЬЧИН", "ПЕСЧАНКА"),
    ("БАР", "МОГИЛЕВ-ПОДОЛЬСКИЙ"), ("ЖМЕРИНКА", "ШАРГОРОД"), ("НЕМИРОВ", "ГАЙСИН"),
    ("КАЛИНОВКА", "БЕРДИЧЕВ"), ("КАЛИНОВКА", "КАЗАТИН"), ("ЛИПОВЕЦ", "ПОГРЕБИЩЕ"),
    ("ЛИПОВЕЦ", "ИЛЬИНЦЫ"), ("ЛИПОВЕЦ", "ОРАТОВ"), ("ЯМПОЛЬ", "КРЫЖОПОЛЬ"),
    ("ЛИТИН", "ХМЕЛЬНИЦКИЙ"), ("ЖМЕРИНКА", "БАР"), ("НЕМИРОВ", "ТУЛЬЧИН"),
    ("ШАРГОРОД", "МОГИЛЕВ-ПОДОЛЬСКИЙ"),
], [hm(t) for t in ["06:00", "06:35", "07:10", "07:45", "08:20", "08:55", "09:30", "10:05",
                    "10:40", "11:15", "11:50", "12:25", "13:00", "13:35", "14:10", "14:45",
                    "15:20", "15:55", "16:30"]]):
    pair(number, "", via(a, b), "local", start)

# Dead-end branch roads into the villages of the districts, each with one service there
# and back. Near the city the service starts at "ВИННИЦА 1" and runs semi-express to the
# district centre; elsewhere it starts at the centre.
BRANCHES = [
    ("КАЛИНОВКА", V), ("ЛИТИН", V), ("ТЫВРОВ", V), ("НЕМИРОВ", V), ("ЛИПОВЕЦ", V),
    ("ХМЕЛЬНИК", V), ("ЖМЕРИНКА", "ЖМЕРИНКА ПЕРРОН"), ("БАР", V), ("БЕРШАДЬ", None),
    ("ГАЙСИН", None), ("ИЛЬИНЦЫ", V), ("КАЗАТИН", V), ("КРЫЖОПОЛЬ", None),
    ("МОГИЛЕВ-ПОДОЛЬСКИЙ", None), ("ОРАТОВ", V), ("ПОГРЕБИЩЕ", V), ("ТЕПЛИК", None),
    ("ТОМАШПОЛЬ", None), ("ТРОСТЯНЕЦ", None), ("ЧЕЧЕЛЬНИК", None), ("ШАРГОРОД", V),
]
assert len(kelos) + 2 * len(BRANCHES) == KELO_COUNT, len(kelos)
left = STOP_COUNT - len(stops)
sizes = [left // len(BRANCHES)] * len(BRANCHES)
for i in range(left - sum(sizes)):
    sizes[i] += 1
for i in range(0, len(sizes) - 1, 2):   # vary the lengths, keeping the total
    shift = rng.randint(0, min(3, sizes[i] - 3))
    sizes[i] -= shift
    sizes[i + 1] += shift
starts = ["05:35", "06:05", "06:25", "06:50", "07:20", "08:40", "09:10", "11:20", "12:40",
          "13:10", "14:05", "14:35", "15:25", "16:20", "16:45", "17:15", "17:40", "18:10"]
for (number, (centre, origin)), size in zip(enumerate(BRANCHES, start=100), sizes):
    chain = [centre]
    for _ in range(size):
        chain.append(add_stop(take_village_name(), DISTRICT[centre],
                              major=rng.random() < MAJOR))
        add_edge(chain[-2], chain[-1], rng.randint(15, 55))
    trunk = None
    if origin is None:
        route = chain
    elif origin == V:
        path = via(V, centre)
        calls = semi(path, 2)
        trunk = (path, set(calls))
        route = calls[:-1] + chain
    else:
        route = [origin] + chain
    out, ret = pair(number * 2, "", route, "local", hm(starts[number % len(starts)]))
    if trunk:
        out.trunk = (trunk[0], set(trunk[1]))
        ret.trunk = (trunk[0], set(trunk[1]))
        out.branch = chain[1:]
        ret.branch = chain[1:]

assert len(stops) == STOP_COUNT and len(kelos) == KELO_COUNT


# ---------------------------------------------------------------- row balance
def rebuild_flexible(k, outward):
    path, calls = k.trunk
    route = [s for s in path if s in calls] + k.branch
    k.route = route if outward else route[::-1]


def pairs_in_use():
    return {frozenset(p) for k in kelos for p in zip(k.route, k.route[1:])}


def new_pairs(k, extra):
    """How many link pairs a call at `extra` would add that no timetable uses yet."""
    path, calls = k.trunk
    seq = [s for s in path if s in calls or s == extra]
    i = seq.index(extra)
    around = [frozenset(p) for p in zip(seq[max(0, i - 1):i + 2], seq[max(0, i - 1) + 1:i + 2])]
    return sum(1 for p in around if p not in in_use)


def balance_rows():
    """Adds or drops calls on the trunk part of the services from the city until the row
    table has its size; one call per service and turn, outward and return in turn."""
    global in_use
    flexible = [k for k in kelos if k.trunk]
    turn = 0
    in_use = pairs_in_use()
    while True:
        diff = ROW_COUNT - sum(len(k.route) for k in kelos)
        if diff == 0:
            return
        k = flexible[turn % len(flexible)]
        turn += 1
        path, calls = k.trunk
        if diff > 0 and len(k.route) < 22:
            spare = [s for s in path if s not in calls]
            if spare:
                calls.add(min(spare, key=lambda s: (new_pairs(k, s), path.index(s))))
        else:
            extra = [s for s in path[1:-1] if s in calls and stops[s].kind != "city"
                     and len(k.route) > 4]
            if extra:
                calls.discard(rng.choice(extra))
        outward = int(k.number) % 2 == 0
        rebuild_flexible(k, outward)
        in_use = pairs_in_use()
        assert turn < 10000, "cannot balance the rows"


balance_rows()


# ---------------------------------------------------------------- timetables
def dwell(kind, name):
    s = stops[name]
    if kind == "long":
        return 15 if name in BIG_CITIES else 5 if s.kind == "city" else 2
    if kind == "regional":
        return 10 if name in BIG_CITIES else 3 if s.kind == "city" else 1
    return 2 if s.kind == "city" else 1


def schedule(k):
    if k.fixed_rows:
        k.rows = k.fixed_rows
        return
    lo, hi = SPEED[k.kind]
    arr, stays = [0], [k.first_stay]
    for i in range(1, len(k.route)):
        d = link_tenths(k.route[i - 1], k.route[i]) / 10
        run = max(1, math.ceil(d * 60 / rng.uniform(lo, hi))) if d > 0 else 3
        arr.append(arr[-1] + stays[-1] + run)
        stays.append(dwell(k.kind, k.route[i]) if i < len(k.route) - 1 else EMPTY)
    if k.anchor is not None:
        stop, at = k.anchor
        start = (at - arr[k.route.index(stop)]) % 1440
    elif k.outward is not None:
        o = k.outward
        end = o.rows[0][1] + travel(o)
        start = (end + k.layover + 4) // 5 * 5 % 1440
    else:
        start = k.start
    k.rows = [[s, (start + a) % 1440, st] for s, a, st in zip(k.route, arr, stays)]


def departure(row):
    return row[1] + (0 if row[2] == EMPTY else row[2])


def travel(k):
    start = departure(k.rows[0])
    end = k.rows[-1][1]
    return end - start + (1440 if end < start else 0)


for k in kelos:
    schedule(k)


# ---------------------------------------------------------------- links
links = {}
for k in kelos:
    for a, b in zip(k.route, k.route[1:]):
        links[frozenset((a, b))] = link_tenths(a, b)
used_pairs = len(links)
# Known distances no timetable needs yet: the two ends of each short stretch of road.
fill = []
for a in sorted(graph, key=lambda n: stops[n].code):
    for b in sorted(graph[a], key=lambda n: stops[n].code):
        for c in sorted(graph[b], key=lambda n: stops[n].code):
            key = frozenset((a, c))
            if a != c and stops[a].code < stops[c].code and key not in links:
                fill.append((key, graph[a][b] + graph[b][c]))
fill.sort(key=lambda f: rng.random())
for key, d in fill:
    if len(links) >= LINK_PAIR_COUNT:
        break
    if key not in links:
        links[key] = min(d, shortest(*sorted(key))[0])
for key, d in [(frozenset(("ЖМЕРИНКА", "ЖМЕРИНКА ПЕРРОН")), 0)]:
    assert links.get(key) == d


# ---------------------------------------------------------------- marks
def assign_marks():
    quota = dict(MARK_QUOTA)
    open_villages = []
    for s in sorted(stops.values(), key=lambda s: s.code):
        if s.mark is None and s.kind == "city":
            s.mark = ""
        elif s.mark is None and s.kind == "point":
            s.mark = "#"
        if s.mark is None:
            open_villages.append(s)
        else:
            quota[s.mark] -= 1
    assert min(quota.values()) >= 0, quota
    majors = [s for s in open_villages if s.major]
    others = [s for s in open_villages if not s.major]
    rng.shuffle(majors)
    rng.shuffle(others)
    ordered = majors + others
    for s in ordered[:quota["+"]]:
        s.mark = "+"
    rest = ordered[quota["+"]:]
    rng.shuffle(rest)
    for s in rest[:quota["#"]]:
        s.mark = "#"
    for s in rest[quota["#"]:]:
        s.mark = ""


assign_marks()


# ---------------------------------------------------------------- checks
def cp1251(text):
    return text.encode("cp1251")


def speed(k):
    run, dist = 0, 0
    for r, n in zip(k.rows, k.rows[1:]):
        dep, nxt = departure(r), n[1]
        if nxt < dep:
            nxt += 1440
        run += nxt - dep
        dist += links[frozenset((r[0], n[0]))] / 10
    return dist / (run / 60)


def line_report(line_kelo):
    """The kelos a diagram of this kelo's line offers, with the properties a planner needs."""
    line = line_kelo.route
    pos = {s: i for i, s in enumerate(line)}
    offered, fwd, bwd, joiners, midnight = [], 0, 0, 0, []
    for k in kelos:
        on = [r for r in k.rows if r[0] in pos]
        if len(on) < 2:
            continue
        offered.append(k.number)
        if pos[on[1][0]] > pos[on[0][0]]:
            fwd += 1
        else:
            bwd += 1
        if any(r[0] not in pos for r in k.rows):
            joiners += 1
        for r, n in zip(k.rows, k.rows[1:]):
            if r[0] in pos and n[0] in pos and n[1] < departure(r):
                midnight.append(k.number)
                break
    return offered, fwd, bwd, joiners, midnight


assert len(stops) == STOP_COUNT
assert len(links) == LINK_PAIR_COUNT, (len(links), used_pairs)
assert len(kelos) == KELO_COUNT
assert sum(len(k.rows) for k in kelos) == ROW_COUNT
assert len({s.name for s in stops.values()}) == STOP_COUNT
assert {s.mark for s in stops.values()} == set(MARK_QUOTA)
for mark, n in MARK_QUOTA.items():
    assert sum(1 for s in stops.values() if s.mark == mark) == n, mark
assert min(links.values()) == 0 and max(links.values()) == 10320
numbers = sorted((k.number for k in kelos), key=cp1251)
assert numbers[0] == "02П" and len(set(numbers)) == KELO_COUNT
assert sum(1 for k in kelos if k.rows[0][2] == 0) == 172
used = {r[0] for k in kelos for r in k.rows}
assert used == set(stops), [(s, sorted(graph[s])) for s in set(stops) - used]
for k in kelos:
    assert 4 <= len(k.rows) <= 22, (k.number, len(k.rows))
    assert all(r[2] != EMPTY for r in k.rows[:-1]) and k.rows[-1][2] == EMPTY
    assert 30 <= speed(k) <= 80, (k.number, speed(k))
    assert 0 < travel(k) < 1440, k.number
k02 = next(k for k in kelos if k.number == "02П")
k100 = next(k for k in kelos if k.number == "100")
assert sum(links[frozenset(p)] for p in zip(k02.route, k02.route[1:])) == 399
assert sum(links[frozenset(p)] for p in zip(k100.route, k100.route[1:])) == 10460
assert travel(k100) == 1208 and abs(speed(k100) - 56.69) < 0.005
assert abs(speed(k02) - 41.28) < 0.005 and travel(k02) == 65
assert links[frozenset((V, "ПИСАРЕВКА"))] == 102 and links[frozenset((V, "ВОРОНОВИЦА"))] == 240

REPORT_LINES = ["02П", "30Т", "60К", "10М", "84Л"]
for number in REPORT_LINES:
    k = next(k for k in kelos if k.number == number)
    offered, fwd, bwd, joiners, midnight = line_report(k)
    print("line of %-4s %-45s offers %3d (forward %d, backward %d, joining %d, midnight %s)"
          % (number, k.name(), len(offered), fwd, bwd, joiners, ",".join(midnight)),
          file=sys.stderr)
    assert len(offered) >= 12 and fwd and bwd and joiners >= 3 and midnight, number


# ---------------------------------------------------------------- output
def km(tenths):
    return "%d" % (tenths // 10) if tenths % 10 == 0 else "%d.%d" % divmod(tenths, 10)


def clock(minutes):
    return "%02d:%02d" % divmod(minutes, 60)


def write(folder, name, header, lines):
    with open(os.path.join(folder, name), "w", encoding="utf-8", newline="\n") as f:
        f.write("\t".join(header) + "\n")
        for line in lines:
            f.write("\t".join(line) + "\n")


folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "tables")
os.makedirs(folder, exist_ok=True)
write(folder, "buses.tsv", ["model", "category", "capacity"],
      [(m, c, "0") for m, c in BUSES])
write(folder, "stops.tsv", ["code", "name"],
      [(s.code, s.full()) for s in sorted(stops.values(), key=lambda s: s.code)])
pairs = sorted(tuple(sorted(stops[n].code for n in key)) + (d,) for key, d in links.items())
write(folder, "links.tsv", ["from", "to", "km"], [(a, b, km(d)) for a, b, d in pairs])
ordered = sorted(kelos, key=lambda k: cp1251(k.number))
write(folder, "kelos.tsv", ["number", "name", "bus"],
      [(k.number, k.name(), k.bus) for k in ordered])
write(folder, "rows.tsv", ["kelo", "code", "stop", "arrival", "stay"],
      [(k.number, stops[r[0]].code, stops[r[0]].full(), clock(r[1]),
        "-" if r[2] == EMPTY else str(r[2])) for k in ordered for r in k.rows])
print("stops %d, link pairs %d (%d used by timetables), kelos %d, rows %d"
      % (len(stops), len(links), used_pairs, len(kelos), sum(len(k.rows) for k in kelos)),
      file=sys.stderr)
