#include "TZoFormStorage.h"

#include "KeloSettingsFile.h"
#include "KeloUnhandledError.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include <algorithm>

namespace {

// Sizes beyond this are not windows or columns anyone made.
constexpr int MaxExtent = 30000;
const char* const LeftKey = "Left";
const char* const TopKey = "Top";
const char* const WidthKey = "Width";
const char* const HeightKey = "Height";
const char* const StateKey = "WindowState";

// A value as text; a hand-edited list ("100, 400" without quotes) is read back as one.
QString ReadText(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool ParseInt(const QString& text, int& out) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        out = value;
    return ok;
}

bool ReadInt(const QSettings& settings, const char* key, int& out) {
    return settings.contains(QLatin1String(key)) &&
           ParseInt(ReadText(settings, QLatin1String(key)), out);
}

QHeaderView* ColumnHeader(QWidget* widget) {
    if (auto* tree = qobject_cast<QTreeView*>(widget))
        return tree->header();
    if (auto* table = qobject_cast<QTableView*>(widget))
        return table->horizontalHeader();
    return qobject_cast<QHeaderView*>(widget);
}

// The available area of the screen `rect` lies on most, or of the one nearest to it.
QRect NearestScreenArea(const QRect& rect) {
    QRect best;
    long long bestOverlap = -1;
    long long bestDistance = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QRect seen = rect.intersected(area);
        const long long overlap = seen.isEmpty() ? 0 : 1LL * seen.width() * seen.height();
        const QPoint c = rect.center();
        const long long dx = std::max({area.left() - c.x(), 0, c.x() - area.right()});
        const long long dy = std::max({area.top() - c.y(), 0, c.y() - area.bottom()});
        const long long distance = dx * dx + dy * dy;
        if (overlap > bestOverlap || (overlap == bestOverlap && distance < bestDistance)) {
            best = area;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return best;
}

// Shrinks `rect` to fit `area` and moves it inside, so a placement from another set of
// monitors (or an MDI area since made smaller) opens where the planner can reach it.
QRect ClampInto(QRect rect, const QRect& area) {
    if (area.isEmpty())
        return rect;
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}

enum class Edge { Left, Top, Width, Height };

bool EdgeOf(const QString& property, Edge& edge) {
    if (property == QLatin1String("Left"))
        edge = Edge::Left;
    else if (property == QLatin1String("Top"))
        edge = Edge::Top;
    else if (property == QLatin1String("Width"))
        edge = Edge::Width;
    else if (property == QLatin1String("Height"))
        edge = Edge::Height;
    else
        return false;
    return true;
}

int GeometryValue(const QWidget* widget, Edge edge) {
    switch (edge) {
    case Edge::Left:
        return widget->x();
    case Edge::Top:
        return widget->y();
    case Edge::Width:
        return widget->width();
    case Edge::Height:
        return widget->height();
    }
    return 0;
}

// Inside a splitter: the size along it goes to X and the difference to its neighbour; the
// position moves the handle before X. Answers false when the value cannot be honoured.
bool ApplyInSplitter(QSplitter* splitter, QWidget* widget, Edge edge, int value) {
    const bool horizontal = splitter->orientation() == Qt::Horizontal;
    const bool isSize = edge == Edge::Width || edge == Edge::Height;
    if (horizontal != (edge == Edge::Left || edge == Edge::Width))
        return false; // the other direction is the splitter's own
    QList<int> sizes = splitter->sizes();
    const int index = splitter->indexOf(widget);
    if (index < 0 || sizes.size() < 2)
        return false;
    int grow = index;
    int shrink = -1;
    int delta = 0;
    if (isSize) {
        shrink = index + 1 < sizes.size() ? index + 1 : index - 1;
        delta = value - sizes[index];
    } else {
        if (index == 0)
            return false;
        // Moving X's leading edge by delta grows the widget before it and shrinks X.
        grow = index - 1;
        shrink = index;
        delta = value - (horizontal ? widget->x() : widget->y());
    }
    if (sizes[grow] + delta < 0 || sizes[shrink] - delta < 0)
        return false;
    sizes[grow] += delta;
    sizes[shrink] -= delta;
    splitter->setSizes(sizes);
    return true;
}

void ApplyGeometry(QWidget* widget, Edge edge, int value) {
    if (auto* splitter = qobject_cast<QSplitter*>(widget->parentWidget())) {
        ApplyInSplitter(splitter, widget, edge, value);
        return;
    }
    const QWidget* parent = widget->parentWidget();
    const QSize room = parent != nullptr ? parent->size() : QSize(MaxExtent, MaxExtent);
    QRect rect = widget->geometry();
    switch (edge) {
    case Edge::Left:
        if (value < 0 || value >= room.width())
            return;
        rect.moveLeft(value);
        break;
    case Edge::Top:
        if (value < 0 || value >= room.height())
            return;
        rect.moveTop(value);
        break;
    case Edge::Width:
        if (value < widget->minimumWidth() || value > std::min(widget->maximumWidth(), MaxExtent))
            return;
        rect.setWidth(value);
        break;
    case Edge::Height:
        if (value < widget->minimumHeight() || value > std::min(widget->maximumHeight(), MaxExtent))
            return;
        rect.setHeight(value);
        break;
    }
    widget->setGeometry(rect);
}

} // namespace

TZoFormStorage::TZoFormStorage(QWidget* window, const QStringList& storedProps)
    : QObject(window), window(window), storedProps(storedProps) {
    setObjectName(QStringLiteral("FormStorage"));
    window->installEventFilter(this);
}

QString TZoFormStorage::Section() const {
    if (!section.isEmpty())
        return section;
    const QMetaObject* meta = windowClass != nullptr ? windowClass : window->metaObject();
    return QString::fromLatin1(meta->className());
}

void TZoFormStorage::SetPropertyAccess(const QString& item, Getter getter, Setter setter) {
    access[item] = {std::move(getter), std::move(setter)};
}

QWidget* TZoFormStorage::PlacementWidget() const {
    // An MDI child is placed by its frame in the MDI area.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return frame;
    return window;
}

bool TZoFormStorage::WindowBeingDestroyed() const {
    // While QWidget's destructor runs, the window no longer answers as its own class.
    return windowClass != nullptr && window->metaObject() != windowClass;
}

void TZoFormStorage::TrackPlacementWidget() {
    QWidget* target = PlacementWidget();
    if (target == trackedPlacement)
        return;
    if (trackedPlacement != nullptr && trackedPlacement != window)
        trackedPlacement->removeEventFilter(this);
    trackedPlacement = target;
    if (target != window)
        target->installEventFilter(this);
}

QRect TZoFormStorage::NormalGeometry() const {
    const QWidget* target = PlacementWidget();
    const bool normal = !(target->windowState() &
                          (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    if (normal)
        return target->geometry();
    if (target->isWindow() && target->normalGeometry().isValid())
        return target->normalGeometry();
    return lastNormalGeometry.isValid() ? lastNormalGeometry : target->geometry();
}

bool TZoFormStorage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window) {
        switch (event->type()) {
        case QEvent::Show:
            if (!event->spontaneous()) {
                if (windowClass == nullptr)
                    windowClass = window->metaObject();
                TrackPlacementWidget();
                saved = false;
                if (!restored) {
                    restored = true;
                    RestoreFormPlacement();
                }
            }
            break;
        case QEvent::Hide:
            // A spontaneous hide is minimising; every other hide ends the window's showing.
            if (!event->spontaneous())
                SaveIfUnsaved();
            break;
        case QEvent::DeferredDelete:
            SaveIfUnsaved();
            break;
        default:
            break;
        }
    }
    if (watched == PlacementWidget() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QWidget* target = PlacementWidget();
        if (!(target->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
            lastNormalGeometry = target->geometry();
    }
    return QObject::eventFilter(watched, event);
}

void TZoFormStorage::RestoreFormPlacement() {
    QSettings settings(KeloSettingsFileName(), QSettings::IniFormat);
    // Unreadable or garbled: reported, and the window stays as designed.
    if (settings.status() != QSettings::NoError) {
        ReportFailure(QString::fromUtf8("Не удалось прочитать положение окна из файла настроек %1")
                          .arg(QDir::toNativeSeparators(settings.fileName())));
        return;
    }
    settings.beginGroup(Section());
    RestorePlacement(settings);
    for (const QString& item : storedProps) {
        if (settings.contains(item))
            RestoreItem(item, ReadText(settings, item));
    }
    settings.endGroup();
}

void TZoFormStorage::RestorePlacement(QSettings& settings) {
    // Left, Top, Width and Height are the client area in the window's parent (the screen or
    // the MDI area): what geometry() gives and setGeometry() takes.
    QWidget* target = PlacementWidget();
    QRect placement = target->geometry();
    int width = 0;
    int height = 0;
    if (ReadInt(settings, WidthKey, width) && ReadInt(settings, HeightKey, height)) {
        const QSize min = target->minimumSize();
        const QSize max = target->maximumSize().boundedTo(QSize(MaxExtent, MaxExtent));
        if (width >= std::max(min.width(), 1) && width <= max.width() &&
            height >= std::max(min.height(), 1) && height <= max.height())
            placement.setSize(QSize(width, height));
    }
    int left = 0;
    int top = 0;
    if (ReadInt(settings, LeftKey, left) && ReadInt(settings, TopKey, top))
        placement.moveTo(left, top);
    // An MDI child is kept inside its area, once the area has a size of its own.
    const QWidget* area = target->isWindow() ? nullptr : target->parentWidget();
    if (area == nullptr)
        placement = ClampInto(placement, NearestScreenArea(placement));
    else if (area->isVisible())
        placement = ClampInto(placement, area->rect());
    if (placement != target->geometry())
        target->setGeometry(placement);
    lastNormalGeometry = target->geometry();
    // A window that was left minimised opens normal: a minimised modal dialog would leave
    // the planner with a blocked program and nothing to click.
    if (ReadText(settings, QLatin1String(StateKey)) == QLatin1String("Maximized"))
        target->setWindowState(target->windowState() | Qt::WindowMaximized);
}

void TZoFormStorage::RestoreItem(const QString& item, const QString& value) {
    const auto own = access.find(item);
    if (own != access.end()) {
        if (own->second.second)
            own->second.second(value);
        return;
    }
    const int dot = static_cast<int>(item.lastIndexOf(QLatin1Char('.')));
    if (dot <= 0)
        return;
    QWidget* component = window->findChild<QWidget*>(item.left(dot));
    if (component == nullptr)
        return;
    const QString property = item.mid(dot + 1);
    if (property == QLatin1String("Columns")) {
        QHeaderView* header = ColumnHeader(component);
        if (header == nullptr)
            return;
        const QStringList widths = value.split(QLatin1Char(','));
        for (int i = 0; i < widths.size() && i < header->count(); ++i) {
            int width = 0;
            if (ParseInt(widths[i], width) && width >= 1 && width <= MaxExtent)
                header->resizeSection(i, width);
        }
        return;
    }
    Edge edge;
    int number = 0;
    if (EdgeOf(property, edge) && ParseInt(value, number))
        ApplyGeometry(component, edge, number);
}

QString TZoFormStorage::ItemValue(const QString& item) const {
    const auto own = access.find(item);
    if (own != access.end())
        return own->second.first ? own->second.first() : QString();
    const int dot = static_cast<int>(item.lastIndexOf(QLatin1Char('.')));
    if (dot <= 0)
        return QString();
    QWidget* component = window->findChild<QWidget*>(item.left(dot));
    if (component == nullptr)
        return QString();
    const QString property = item.mid(dot + 1);
    if (property == QLatin1String("Columns")) {
        const QHeaderView* header = ColumnHeader(component);
        if (header == nullptr)
            return QString();
        QStringList widths;
        for (int i = 0; i < header->count(); ++i)
            widths << QString::number(header->sectionSize(i));
        return widths.join(QLatin1Char(','));
    }
    Edge edge;
    if (EdgeOf(property, edge))
        return QString::number(GeometryValue(component, edge));
    return QString();
}

bool TZoFormStorage::SaveFormPlacement() {
    // During QWidget's destructor the window's own getters must not run; what the generic
    // items and the placement give is still written, over the values kept before.
    const bool partial = WindowBeingDestroyed();
    QSettings settings(KeloSettingsFileName(), QSettings::IniFormat);
    settings.beginGroup(Section());
    if (!partial)
        settings.remove(QString()); // the window saved last owns the whole section
    const QWidget* target = PlacementWidget();
    const QRect normal = NormalGeometry();
    settings.setValue(LeftKey, normal.x());
    settings.setValue(TopKey, normal.y());
    settings.setValue(WidthKey, normal.width());
    settings.setValue(HeightKey, normal.height());
    const Qt::WindowStates state = target->windowState();
    settings.setValue(StateKey, state & Qt::WindowMinimized   ? QStringLiteral("Minimized")
                                : state & Qt::WindowMaximized ? QStringLiteral("Maximized")
                                                              : QStringLiteral("Normal"));
    for (const QString& item : storedProps) {
        if (partial && access.count(item) != 0)
            continue;
        const QString value = ItemValue(item);
        if (!value.isEmpty())
            settings.setValue(item, value);
    }
    settings.endGroup();
    // Written through a temporary file and renamed, so the file is whole or untouched. A
    // garbled file read before leaves FormatError behind; only AccessError means the
    // writing failed.
    settings.sync();
    saved = true;
    if (settings.status() == QSettings::AccessError) {
        ReportFailure(QString::fromUtf8("Не удалось сохранить положение окна в файл настроек %1")
                          .arg(QDir::toNativeSeparators(settings.fileName())));
        return false;
    }
    return true;
}

void TZoFormStorage::ReportFailure(const QString& message) {
    // A window being destroyed must not run a message loop; the report waits for the next
    // turn of the program's own loop.
    if (WindowBeingDestroyed()) {
        QTimer::singleShot(0, qApp, [message] { KeloReportUnhandledError(message); });
        return;
    }
    KeloReportUnhandledError(message);
}

void TZoFormStorage::SaveIfUnsaved() {
    if (!saved)
        SaveFormPlacement();
}
