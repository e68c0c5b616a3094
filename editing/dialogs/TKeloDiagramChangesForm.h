#pragma once

#include <QDialog>

#include <optional>
#include <vector>

class KeloCachedUpdateDataClass;
class QCheckBox;
class QPushButton;
class QScrollArea;
class QWidget;
class TZoStringStorage;

/// Lists the changes of an edit buffer, one check box per changed kelo, for the planner to
/// confirm a save or a discard. The caller sets the caption; cleared boxes are read back
/// with ChosenChanges.
class TKeloDiagramChangesForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloDiagramChangesForm(QWidget* parent = nullptr);

    // Lists the buffer's changes under `caption` and answers the ticks the planner confirmed,
    // or nothing when the planner stepped back. With `fixed` the boxes only show what would
    // go (the list still scrolls).
    std::optional<std::vector<bool>> Ask(const QString& caption, KeloCachedUpdateDataClass& buffer,
                                         bool fixed);

    // Ignored when null; otherwise lists the buffer's changes. The buffer must outlive the dialog.
    void SetChanges(KeloCachedUpdateDataClass* buffer);
    void FillChanges();
    // One flag per change of the buffer, in change order: its box is ticked.
    std::vector<bool> ChosenChanges() const;

    QScrollArea* ScrollBox = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    TZoStringStorage* ZoStringStorage = nullptr;
    const std::vector<QCheckBox*>& ChangeBoxes() const { return changeBoxes; }

private:
    void AddChangeRow(int index);

    KeloCachedUpdateDataClass* changeSource = nullptr;
    int margin = 10;
    QWidget* rowsArea = nullptr;
    std::vector<QCheckBox*> changeBoxes;
};
