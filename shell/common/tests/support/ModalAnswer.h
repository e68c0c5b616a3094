#pragma once

// Answering modal windows from GUI tests. A test arms one of these helpers before the code
// under test calls exec(); a message-loop timer then finds the modal window through
// QApplication::activeModalWidget() and answers it, so exec() returns as it would for the
// planner. Header-only; link the kelo_gui_test_support target.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace kelo_test {

/// What a message box showed when it was answered.
struct SeenMessageBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool answerMissing = false; // the box had no button of the armed answer; it was rejected
};

/// Answers every modal QMessageBox that opens while this object lives with `answer`, and
/// records each one. Example:
///   kelo_test::MessageBoxAnswer answer(QMessageBox::No);
///   EXPECT_FALSE(KeloAskYesNo("..."));
///   EXPECT_EQ(answer.Count(), 1);
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : answer(answer) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
        timer.start();
    }
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;

    void SetAnswer(QMessageBox::StandardButton value) { answer = value; }
    int Count() const { return static_cast<int>(seen.size()); }
    const std::vector<SeenMessageBox>& Boxes() const { return seen; }
    // The last box answered; only valid when Count() > 0.
    const SeenMessageBox& Last() const { return seen.back(); }

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        SeenMessageBox info;
        info.title = box->windowTitle();
        info.text = box->text();
        info.icon = box->icon();
        info.buttons = box->standardButtons();
        QAbstractButton* button = box->button(answer);
        info.answerMissing = button == nullptr;
        seen.push_back(info);
        if (button != nullptr)
            button->click();
        else
            box->reject();
    }

    QMessageBox::StandardButton answer;
    std::vector<SeenMessageBox> seen;
    QTimer timer;
};

/// Runs `action` once on the first modal window of type W that becomes active while this
/// object lives; the action answers it (clicks a button, calls accept() or reject()).
/// Example:
///   kelo_test::WhenModal<TKeloErrorMessageDialogForm> close([](auto* dialog) {
///       dialog->CloseButton->click();
///   });
template <class W> class WhenModal {
public:
    explicit WhenModal(std::function<void(W*)> action) : action(std::move(action)) {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
        timer.start();
    }
    WhenModal(const WhenModal&) = delete;
    WhenModal& operator=(const WhenModal&) = delete;

    bool Done() const { return done; }

private:
    void Poll() {
        if (done)
            return;
        W* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (window == nullptr || !window->isVisible())
            return;
        done = true;
        timer.stop();
        action(window);
    }

    std::function<void(W*)> action;
    bool done = false;
    QTimer timer;
};

// Types `name` into a file dialog's name field and accepts it, as the planner does. The
// dialog's folder model fills in a thread; an accept that lands before it may only change
// the folder, so the answer is repeated until the dialog has closed.
inline void AnswerFileDialog(QFileDialog* dialog, const QString& name) {
    for (int attempt = 0; attempt < 300 && dialog->isVisible(); ++attempt) {
        if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
            edit->setText(name);
        else
            dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the Save button
        if (dialog->isVisible())
            QTest::qWait(10);
    }
}

} // namespace kelo_test
