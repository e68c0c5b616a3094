#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TZoStringStorage;

/// The error dialog: a fixed message with a details area (the error's class and message)
/// that the planner opens and closes. Whether the details are shown carries over from one
/// dialog to the next for the rest of the run.
class TKeloErrorMessageDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloErrorMessageDialogForm(QWidget* parent = nullptr);
    ~TKeloErrorMessageDialogForm() override;

    void SetDetails(const QString& details);
    bool DetailsShown() const { return detailsShown; }

    // Process-wide state taken by each new dialog; false when the program starts.
    static bool SharedDetailsShown();
    static void SetSharedDetailsShown(bool shown);

    QLabel* ErrorMessageLabel = nullptr;
    QPushButton* DetailsButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QPlainTextEdit* DetailsMemo = nullptr;
    TZoStringStorage* ZoStringStorage = nullptr;

private:
    void FormCreate();
    void DetailsButtonClick();
    void ApplyDetailsState();

    bool detailsShown = false;
    int fullClientHeight = 0;
};
