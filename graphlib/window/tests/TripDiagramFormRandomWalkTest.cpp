// A seeded random walk through the editing commands of a diagram window on the busiest
// shipped line, with every modal dialog answered at random. After each step the window's
// index-based state must agree with its edit buffer, and the buffer's change list with a
// simple model kept here. Undo and redo steps must bring back exactly the buffer and the
// selection of the step they return to. KELO_WALK_SEED replays a failing walk.

#include "DocumentTestSupport.h"
#include "EditingFlowSupport.h"
#include "KeloInversion.h"
#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloErrorMessageDialogForm.h"
#include "TKeloTripKeloCopyDialogForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"
#include "TempDirSandbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <random>

#ifndef KELO_RANDOM_WALK_STEPS
#define KELO_RANDOM_WALK_STEPS 2000
#endif

using namespace editing_test;

namespace {

/// What the test answered in one modal window.
struct Answer {
    enum Kind { Start, Copy, Review, Box, Error } kind;
    explicit Answer(Kind kind) : kind(kind) {}
    bool ok = false;
    bool copy = false;        // Start: "Создать копию" ticked
    int minutes = 0;          // Start: picked time
    std::string number;       // Copy: the number accepted
    std::vector<bool> chosen; // Review: ticks
    QString text;             // Box: its text
};

/// Answers every modal window at random and logs what it answered.
class RandomAnswerer {
public:
    explicit RandomAnswerer(std::mt19937& rng) : rng(rng) {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
        timer.start();
    }
    std::deque<Answer> log;

private:
    bool Chance(int percent) { return int(rng() % 100) < percent; }

    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        if (auto* start = qobject_cast<TKeloTripKeloMoveDialogForm*>(modal)) {
            Answer a(Answer::Start);
            a.ok = Chance(85);
            a.minutes = int(rng() % 1440);
            a.copy = !start->KeloCopyCheckBox->isHidden() && Chance(30);
            start->TimeStartPicker->SetTime(QTime(a.minutes / 60, a.minutes % 60));
            start->KeloCopyCheckBox->setChecked(a.copy);
            log.push_back(a);
            (a.ok ? start->OkButton : start->CancelButton)->click();
        } else if (auto* copy = qobject_cast<TKeloTripKeloCopyDialogForm*>(modal)) {
            Answer a(Answer::Copy);
            a.ok = Chance(85);
            KeloFromQString(copy->TripIdEdit->text(), a.number);
            log.push_back(a);
            (a.ok ? copy->OkButton : copy->CancelButton)->click();
        } else if (auto* review = qobject_cast<TKeloDiagramChangesForm*>(modal)) {
            Answer a(Answer::Review);
            a.ok = Chance(75);
            for (QCheckBox* box : review->ChangeBoxes()) {
                if (box->isEnabled())
                    box->setChecked(Chance(70));
                a.chosen.push_back(box->isChecked());
            }
            log.push_back(a);
            (a.ok ? review->OkButton : review->CancelButton)->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Answer a(Answer::Box);
            a.text = box->text();
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            a.ok = yes == nullptr || Chance(60);
            log.push_back(a);
            if (yes == nullptr)
                box->button(QMessageBox::Ok)->click();
            else
                box->button(a.ok ? QMessageBox::Yes : QMessageBox::No)->click();
        } else if (auto* error = qobject_cast<TKeloErrorMessageDialogForm*>(modal)) {
            log.push_back(Answer(Answer::Error));
            error->CloseButton->click();
        }
    }

    std::mt19937& rng;
    QTimer timer;
};

/// The change list as the planner's steps should leave it.
struct ChangeModel {
    std::vector<std::string> deleted;
    std::vector<std::pair<std::string, bool>> records; // number, created here

    auto FindRecord(const std::string& n) {
        return std::find_if(records.begin(), records.end(),
                            [&](const auto& r) { return r.first == n; });
    }
    void Modify(const std::string& n) {
        if (FindRecord(n) == records.end())
            records.emplace_back(n, false);
    }
    void Add(const std::string& n) {
        if (auto d = std::find(deleted.begin(), deleted.end(), n); d != deleted.end()) {
            deleted.erase(d);
            records.emplace_back(n, false);
        } else {
            records.emplace_back(n, true);
        }
    }
    void Delete(const std::string& n) {
        auto r = FindRecord(n);
        const bool created = r != records.end() && r->second;
        if (r != records.end())
            records.erase(r);
        if (!created && std::find(deleted.begin(), deleted.end(), n) == deleted.end())
            deleted.push_back(n);
    }
    ChangeList Expected() const {
        ChangeList list;
        for (const std::string& n : deleted)
            list.emplace_back(Deleted, n);
        for (const auto& [n, created] : records)
            list.emplace_back(created ? Added : Modified, n);
        return list;
    }
    // A save over the shipped source: modifications reach the cache; a kelo the source
    // cannot create or delete is held back.
    void Save(const std::vector<bool>& chosen) {
        std::vector<std::string> written;
        const std::size_t first = deleted.size();
        for (std::size_t i = 0; i < records.size(); ++i)
            if (first + i < chosen.size() && chosen[first + i] && !records[i].second)
                written.push_back(records[i].first);
        for (const std::string& n : written)
            records.erase(FindRecord(n));
    }
};

Answer Take(std::deque<Answer>& log, Answer::Kind kind) {
    if (log.empty() || log.front().kind != kind) {
        ADD_FAILURE() << "expected modal window of kind " << kind << " was not shown";
        return Answer(kind);
    }
    Answer a = log.front();
    log.pop_front();
    return a;
}

void CheckWindowAgreesWithBuffer(TKeloTripDiagramForm& form) {
    KeloKeloSetPtrClass kelos = form.EditBuffer()->GetKeloSet();
    const int count = kelos->GetCount();
    using namespace kelo_list_test;
    ASSERT_EQ(ListCount(form), count);
    ASSERT_EQ(int(form.Diagram().KeloViews().size()), count);
    std::vector<bool> seen(std::size_t(count), false);
    for (int i = 0; i < count; ++i) {
        const int index = ListKelo(form, i);
        ASSERT_TRUE(index >= 0 && index < count) << "row " << i << " carries " << index;
        ASSERT_FALSE(seen[std::size_t(index)]) << "two rows carry " << index;
        seen[std::size_t(index)] = true;
        KeloKeloPtrClass kelo = kelos->GetItem(index);
        ASSERT_EQ(ListText(form, i, 1).toStdString(),
                  KeloToQString(kelo->GetName() + " - [" + kelo->GetNumber() + "]").toStdString());
        ASSERT_EQ(ListCheck(form, i) == Qt::Checked,
                  form.Diagram().KeloViews()[std::size_t(index)].visible);
    }
    const int selected = form.State().selectedKelo;
    ASSERT_TRUE(selected >= -1 && selected < count);
    if (count > 0) {
        ASSERT_NE(selected, -1);
        ASSERT_GE(CurrentListRow(form), 0);
        ASSERT_EQ(CurrentListKelo(form), selected);
    }
}

/// What an undo or redo must bring back.
struct WalkState {
    std::vector<std::string> buffer;
    ChangeModel model;
    std::string selected;
};

// Names only the lines that differ: the buffer of a whole line is long.
void ExpectSameBuffer(const std::vector<std::string>& now, const std::vector<std::string>& then) {
    std::vector<std::string> gone, come;
    std::set_difference(then.begin(), then.end(), now.begin(), now.end(), std::back_inserter(gone));
    std::set_difference(now.begin(), now.end(), then.begin(), then.end(), std::back_inserter(come));
    ASSERT_TRUE(now == then) << "missing: " << testing::PrintToString(gone)
                             << "\nextra: " << testing::PrintToString(come);
}

/// One step as undo and redo must show it: the state before it and right after it.
struct WalkStep {
    WalkState before;
    WalkState after;
};

WalkState TakeWalkState(TKeloTripDiagramForm& form, const ChangeModel& model) {
    const int selected = form.State().selectedKelo;
    return {BufferSnapshot(form.Diagram().GetEditBufferObject()), model,
            selected >= 0 ? NumberAt(form, selected) : std::string()};
}

} // namespace

TEST(EditingRandomWalk, WindowStateAndChangeListFollowEveryStep) {
    kelo_test::TempDirSandbox sandbox;
    const unsigned seed = qEnvironmentVariableIsSet("KELO_WALK_SEED")
                              ? unsigned(qEnvironmentVariableIntValue("KELO_WALK_SEED"))
                              : 20261209u;
    std::mt19937 rng(seed);
    const std::string busiest = BusiestBuiltInKelo();
    TKeloTripDiagramForm form(nullptr, busiest, BuiltInLineOf(busiest),
                              MakeBuiltInSource(BuiltInLineOf(busiest)));
    form.show();
    RandomAnswerer answerer(rng);
    ChangeModel model;
    std::size_t mostChanges = 0;
    int kelosAtMost = 0;

    enum Step { Select, Tick, Move, Invert, Copy, Delete, Discard, Save, Undo, Redo, StepCount };
    const int weights[StepCount] = {20, 10, 20, 12, 12, 10, 6, 10, 14, 8};
    std::vector<WalkStep> undoable;
    std::vector<WalkStep> redoable;
    int undone = 0;
    std::discrete_distribution<int> pickStep(std::begin(weights), std::end(weights));

    for (int step = 0; step < KELO_RANDOM_WALK_STEPS; ++step) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
        const Step what = Step(pickStep(rng));
        KeloDataPtrClass buffer = form.EditBuffer();
        const int count = buffer->GetKeloSet()->GetCount();
        const int current = form.State().selectedKelo;
        const std::string number = current >= 0 ? NumberAt(form, current) : std::string();
        answerer.log.clear();
        const WalkState before = TakeWalkState(form, model);
        const std::size_t stepsBefore = form.Document().History().UndoCount();

        switch (what) {
        case Select:
            if (count > 0)
                SelectRow(form, int(rng() % unsigned(count)));
            break;
        case Tick:
            if (count > 0) {
                const int row = int(rng() % unsigned(count));
                kelo_list_test::SetListCheck(form, row,
                                             kelo_list_test::ListCheck(form, row) != Qt::Checked);
            }
            break;
        case Move:
        case Invert:
        case Copy: {
            if (current < 0)
                break;
            KeloKeloSchedulePtrClass schedule = buffer->FindKelo(number)->GetSchedule();
            const bool invert = what == Invert;
            if (invert && (!CanInvertKelo(*schedule, *buffer->GetTopology()) ||
                           FindEntryWithoutArrival(*schedule) >= 0)) {
                Trigger(form, "KeloInvertAction");
                break; // refused with a question or a message, nothing changes
            }
            const KeloTimeType first =
                schedule->GetCount() > 0 ? schedule->GetItem(0)->GetArrival() : KeloTimeType();
            Trigger(form, what == Move     ? "KeloMoveAction"
                          : what == Invert ? "KeloInvertAction"
                                           : "KeloCopyAction");
            if (first.IsEmpty() || first.GetTotalMinutes() >= 1440) {
                Take(answerer.log, Answer::Error);
                break;
            }
            const Answer start = Take(answerer.log, Answer::Start);
            if (!start.ok)
                break;
            if (start.copy || what == Copy) {
                const Answer copy = Take(answerer.log, Answer::Copy);
                if (copy.ok)
                    model.Add(copy.number);
            } else if (invert || start.minutes != first.GetTotalMinutes()) {
                model.Modify(number);
            }
            break;
        }
        case Delete:
            if (current < 0)
                break;
            Trigger(form, "KeloDeleteAction");
            if (Take(answerer.log, Answer::Box).ok)
                model.Delete(number);
            break;
        case Discard:
            form.DiscardButton()->click();
            if (!model.Expected().empty()) {
                const bool yes = Take(answerer.log, Answer::Box).ok;
                if (yes || Take(answerer.log, Answer::Review).ok)
                    model = ChangeModel();
            }
            break;
        case Save:
            form.SaveButton()->click();
            if (!model.Expected().empty()) {
                const Answer review = Take(answerer.log, Answer::Review);
                if (review.ok)
                    model.Save(review.chosen);
            }
            break;
        case Undo:
        case Redo: {
            // The menu item; the keys are tested on their own.
            QAction* action = what == Undo ? form.UndoAction() : form.RedoAction();
            std::vector<WalkStep>& from = what == Undo ? undoable : redoable;
            std::vector<WalkStep>& to = what == Undo ? redoable : undoable;
            ASSERT_EQ(action->isEnabled(), !from.empty());
            action->trigger();
            if (from.empty())
                break;
            const WalkStep back = from.back();
            from.pop_back();
            to.push_back(back);
            const WalkState& expected = what == Undo ? back.before : back.after;
            ASSERT_NO_FATAL_FAILURE(ExpectSameBuffer(
                BufferSnapshot(form.Diagram().GetEditBufferObject()), expected.buffer));
            ASSERT_EQ(form.State().selectedKelo >= 0 ? NumberAt(form, form.State().selectedKelo)
                                                     : std::string(),
                      expected.selected);
            model = expected.model;
            undone += what == Undo;
            break;
        }
        default:
            break;
        }
        // Keep the expected history in step with the window's: a new step, or its end.
        const KeloDiagramDocumentClass& document = form.Document();
        if (what != Undo && what != Redo && document.History().UndoCount() > stepsBefore) {
            ASSERT_EQ(document.History().UndoCount(), stepsBefore + 1);
            undoable.push_back({before, TakeWalkState(form, model)});
            redoable.clear();
        }
        if (!document.CanUndo() && !document.CanRedo()) {
            undoable.clear();
            redoable.clear();
        }
        ASSERT_EQ(document.History().UndoCount(), undoable.size());
        ASSERT_NO_FATAL_FAILURE(CheckWindowAgreesWithBuffer(form));
        ASSERT_EQ(Changes(form), model.Expected());
        mostChanges = std::max(mostChanges, model.Expected().size());
        kelosAtMost = std::max(kelosAtMost, form.EditBuffer()->GetKeloSet()->GetCount());
    }
    // The walk must have gone somewhere: many changes at once, copies on the list.
    EXPECT_GE(mostChanges, 5u);
    EXPECT_GE(undone, 20);
    std::printf("walk: seed %u, %d steps, at most %zu changes and %d kelos\n", seed,
                KELO_RANDOM_WALK_STEPS, mostChanges, kelosAtMost);
}
