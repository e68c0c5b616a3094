// Planning on the chart itself: a kelo dragged to a new time or copied there, nudged from
// the keyboard, or laid out as a series at a fixed interval.

#include "TKeloTripDiagramForm.h"

#include "KeloChartEditRules.h"
#include "KeloErrorReport.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "TKeloTripKeloSeriesDialogForm.h"
#include "TripDiagramPaintBox.h"

#include <QCoreApplication>
#include <QPainter>
#include <QRect>
#include <QStatusTipEvent>

#include <stdexcept>

namespace {

QRect ToQRect(const ZoRectType& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// The status bar of the main window shows the hint; outside one, nobody does.
void ShowStatusHint(QWidget* window, const QString& text) {
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(window, &tip);
}

QString CopiesRefusalText(const KeloDocumentCopiesResultType& result, const std::string& number) {
    const QString kelo = KeloToQString(number);
    switch (result.refusal) {
    case KeloCopiesRefusalType::None:
        break;
    case KeloCopiesRefusalType::NoKelo:
        return U("Рейса №%1 больше нет.").arg(kelo);
    case KeloCopiesRefusalType::NoStart:
        return U("У рейса №%1 нет времени отправления: копии не созданы. Сначала задайте его "
                 "расписание.")
            .arg(kelo);
    case KeloCopiesRefusalType::NoProposal:
        return U("Номер для копии рейса №%1 не удалось подобрать: номер одной из его копий "
                 "не оканчивается целым числом в скобках. Копии не созданы.")
            .arg(kelo);
    case KeloCopiesRefusalType::NoStartTime:
        return U("Серия не содержит ни одного времени отправления.");
    case KeloCopiesRefusalType::TooMany:
        return U("Серия из %1 копий слишком велика: можно создать не больше %2 копий.")
            .arg(result.copies)
            .arg(KeloSeriesMaxCopies);
    }
    return {};
}

// Keeps the chart where it is while a change made on it is shown.
class ChartScrollHold {
public:
    explicit ChartScrollHold(bool& flag) : flag(flag) { flag = true; }
    ~ChartScrollHold() { flag = false; }
    ChartScrollHold(const ChartScrollHold&) = delete;
    ChartScrollHold& operator=(const ChartScrollHold&) = delete;

private:
    bool& flag;
};

} // namespace

bool TKeloTripDiagramForm::BeginKeloDrag(int x, int y, bool copy) {
    ZoCanvasClass& canvas = diagram->GetCanvas();
    std::uint32_t id = 0;
    if (!canvas.HitTest(x, y, id))
        return false;
    const std::optional<std::string> tag = canvas.GetTag(id, TripDiagramClass::KeloIndexTag);
    if (!tag)
        return false;
    const int index = std::stoi(*tag);
    const std::string number = KeloNumberAt(index);
    KeloKeloPtrClass kelo = number.empty() ? KeloKeloPtrClass() : document->FindKelo(number);
    if (kelo.IsNull())
        return false;
    const KeloTimeType start = KeloFirstArrival(*kelo->GetSchedule());
    if (start.IsEmpty())
        return false;
    const TripDiagramDisplayStateType& s = State();
    dragSnapshot = QPixmap();
    if (!keloDrag.Begin(canvas, index, number, x, double(s.timeScale) * double(s.timeZoom),
                        start.GetTotalMinutes()))
        return false;
    // Shift at the press makes it a copy: the kind of drag is fixed when the kelo is taken.
    keloDragCopy = copy;
    // Each step then repaints the band the line covers from this picture, not from every item
    // of the scene. Taken before the drag is active, so it shows the scene alone.
    dragSnapshotArea = paintBox->visibleRegion().boundingRect();
    if (!dragSnapshotArea.isEmpty())
        dragSnapshot = paintBox->grab(dragSnapshotArea);
    ShowStatusHint(this, KeloToQString(keloDrag.Hint()));
    return true;
}

void TKeloTripDiagramForm::FollowKeloDrag(int x) {
    ZoRectType repaint;
    if (!keloDrag.Follow(x, repaint))
        return;
    // Only the band the line left and the one it now covers are painted again.
    paintBox->update(ToQRect(repaint));
    ShowStatusHint(this, KeloToQString(keloDrag.Hint()));
}

void TKeloTripDiagramForm::CancelKeloDrag() {
    if (!keloDrag.Active())
        return;
    dragSnapshot = QPixmap();
    // A line that stands where it was taken is not drawn: nothing to wipe.
    const bool drawn = keloDrag.Minutes() != 0;
    const ZoRectType covered = keloDrag.End();
    if (drawn)
        paintBox->update(ToQRect(covered));
    ShowStatusHint(this, QString());
}

bool TKeloTripDiagramForm::PaintUnderKeloDrag(QPainter& painter, const QRect& area) {
    if (!keloDrag.Active() || dragSnapshot.isNull() || !dragSnapshotArea.contains(area))
        return false;
    const qreal ratio = dragSnapshot.devicePixelRatio();
    const QRect from = area.translated(-dragSnapshotArea.topLeft());
    painter.drawPixmap(
        QRectF(area), dragSnapshot,
        QRectF(from.x() * ratio, from.y() * ratio, from.width() * ratio, from.height() * ratio));
    return true;
}

bool TKeloTripDiagramForm::TakeDragCancelClick() {
    const bool taken = dragCancelClick;
    dragCancelClick = false;
    return taken;
}

void TKeloTripDiagramForm::DropKeloDrag() {
    const std::string number = keloDrag.Number();
    const std::int32_t minutes = keloDrag.Minutes();
    const std::int32_t start = keloDrag.NewStart();
    CancelKeloDrag();
    if (minutes == 0)
        return; // put down where it was taken: nothing changes
    ChartScrollHold hold(holdChartScroll);
    try {
        if (keloDragCopy) {
            const KeloDocumentCopiesResultType result = document->CopyKeloAt(number, start);
            if (result.refusal != KeloCopiesRefusalType::None)
                KeloShowError(CopiesRefusalText(result, number), this);
            ApplyDocumentChange(result.change);
        } else {
            ApplyDocumentChange(document->MoveKelo(number, start));
        }
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

bool TKeloTripDiagramForm::ChartPaintBoxKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (keloDrag.Active()) {
        if (key == Qt::Key_Escape)
            CancelKeloDrag();
        return key == Qt::Key_Escape;
    }
    if (!(modifiers & Qt::ControlModifier) || (key != Qt::Key_Left && key != Qt::Key_Right))
        return false;
    const std::string selected = document->Selected();
    if (selected.empty() || document->FindKelo(selected).IsNull())
        return false;
    ChartScrollHold hold(holdChartScroll);
    try {
        ApplyDocumentChange(document->NudgeKelo(
            selected, KeloNudgeMinutes(key == Qt::Key_Right, modifiers & Qt::ShiftModifier)));
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
    return true;
}

void TKeloTripDiagramForm::KeloSeriesActionExecute() {
    const std::string number = SelectedRowNumber();
    KeloKeloPtrClass kelo = number.empty() ? KeloKeloPtrClass() : document->FindKelo(number);
    if (kelo.IsNull())
        return;
    const KeloTimeType start = KeloFirstArrival(*kelo->GetSchedule());
    if (start.IsEmpty()) {
        KeloDocumentCopiesResultType refused;
        refused.refusal = KeloCopiesRefusalType::NoStart;
        KeloShowError(CopiesRefusalText(refused, number), this);
        return;
    }
    // The first copy an hour after the kelo, one copy until the planner says otherwise.
    KeloSeriesAnswerType proposal;
    proposal.firstMinutes = KeloWrapIntoDay(start.GetTotalMinutes() + 60);
    proposal.lastMinutes = proposal.firstMinutes;
    TKeloTripKeloSeriesDialogForm dialog(this);
    const std::optional<KeloSeriesAnswerType> answer = dialog.Ask(KeloToQString(number), proposal);
    if (!answer)
        return;
    ChartScrollHold hold(holdChartScroll);
    try {
        const KeloDocumentCopiesResultType result = document->MakeSeries(
            number, answer->firstMinutes, answer->lastMinutes, answer->intervalMinutes);
        if (result.refusal != KeloCopiesRefusalType::None)
            KeloShowError(CopiesRefusalText(result, number), this);
        ApplyDocumentChange(result.change);
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}
