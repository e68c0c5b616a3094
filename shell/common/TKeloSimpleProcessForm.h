#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class QVBoxLayout;
class QWidget;

/// Base of the simple modal dialogs: a framed area above a bottom panel with Ok and
/// Cancel. Closing only hides the dialog; its creator destroys it.
class TKeloSimpleProcessForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloSimpleProcessForm(QWidget* owner = nullptr);

    QFrame* Bevel = nullptr;
    QWidget* Panel = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    // Puts `widget` in the place of the framed area above the panel.
    void ReplaceClientArea(QWidget* widget);
    // Lets the planner size the window (the base has a fixed border).
    void MakeSizeable();

private:
    QVBoxLayout* layout = nullptr;
};
