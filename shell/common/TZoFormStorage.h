#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QMetaObject;
class QSettings;
class QWidget;

/// Keeps a window's placement and some properties of its parts in the settings file
/// (KeloSettingsFileName()), in one INI section per window class. Place one on the window:
///
///   new TZoFormStorage(this, {"KeloListView.Columns", "EditPanel.Height"});
///
/// It reads the section when the window is first shown, and writes it whenever the window
/// is hidden other than by the window system minimising it: closed, done() of a dialog,
/// hidden with its parent (the main window closing), or minimised inside an MDI area (the
/// child is hidden then and may never be shown again). It also writes when the window is
/// deleted by deleteLater() or, as a top-level window, deleted while shown (the window's own
/// getters are skipped then, see SetPropertyAccess). A child window that may be deleted
/// directly while still shown calls SaveIfUnsaved() from its destructor.
///
/// Keys of a section: "Left", "Top", "Width", "Height" (the normal geometry) and
/// "WindowState" ("Normal", "Maximized", "Minimized"), then one key per stored item, named
/// like the item. Items are "Component.Property", the component found by objectName among
/// the window's descendants:
///   - "X.Columns": the column widths of a QTreeView, QTableView or QHeaderView, "100,400";
///   - "X.Left", "X.Top", "X.Width", "X.Height": the geometry of the widget X within its
///     parent. Inside a QSplitter the splitter owns the geometry: the size along the
///     splitter is restored by giving or taking the difference to the next widget (the
///     previous one for the last), the position by moving the handle before X; the other
///     direction follows the splitter and is not restored.
/// The window may supply its own getter and setter for any item (SetPropertyAccess).
///
/// A missing file or section means the window stays as designed; a value out of range (a
/// width below 1, a number that is none) is skipped. A placement off every screen or larger
/// than the screen is brought onto the screen it is nearest to (an MDI child into its area).
/// A file that cannot be read or written is reported once per reading or writing through
/// the application's error report (KeloReportUnhandledError); the window opens or closes
/// all the same, and a file that could not be written is left as it was.
/// A window stored as minimised opens in its normal state.
class TZoFormStorage : public QObject {
    Q_OBJECT
public:
    using Getter = std::function<QString()>;
    using Setter = std::function<void(const QString&)>;

    explicit TZoFormStorage(QWidget* window, const QStringList& storedProps = {});

    // The section: the class name of the window unless set.
    QString Section() const;
    void SetSection(const QString& name) { section = name; }

    const QStringList& StoredProps() const { return storedProps; }
    void SetStoredProps(const QStringList& items) { storedProps = items; }

    // Own access to an item; the setter receives the stored text and checks it itself. The
    // getter must not run once the window's own destructor has finished: a top-level window
    // deleted while shown is saved without these items (their stored values stay).
    void SetPropertyAccess(const QString& item, Getter getter, Setter setter);

    // Reads the section and applies it now.
    void RestoreFormPlacement();
    // Writes the window's section now: placement and every stored item, replacing what the
    // section held. Answers false when the file could not be written.
    bool SaveFormPlacement();
    // Writes when the window has been shown and not saved since.
    void SaveIfUnsaved();
    bool Saved() const { return saved; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* PlacementWidget() const;
    bool WindowBeingDestroyed() const;
    void RestorePlacement(QSettings& settings);
    void RestoreItem(const QString& item, const QString& value);
    QString ItemValue(const QString& item) const;
    QRect NormalGeometry() const;
    void TrackPlacementWidget();
    void ReportFailure(const QString& message);

    QWidget* window;
    QString section;
    QStringList storedProps;
    std::map<QString, std::pair<Getter, Setter>> access;
    const QMetaObject* windowClass = nullptr;
    QPointer<QWidget> trackedPlacement;
    QRect lastNormalGeometry;
    bool restored = false;
    bool saved = true;
};
