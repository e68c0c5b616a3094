#include "ModalAnswer.h"
#include "TZoFormStorage.h"
#include "TempDirSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

using kelo_test::TempDirSandbox;

// A window laid out like the diagram window: the kelo list, the timetable list and a
// right part split into the chart and the edit panel, plus a freely placed panel.
class TKeloTestDiagramForm : public QWidget {
    Q_OBJECT
public:
    explicit TKeloTestDiagramForm(QWidget* parent = nullptr) : QWidget(parent) {
        FormStorage = new TZoFormStorage(this, {"KeloListView.Columns", "KeloListView.Width",
                                                "TimetableListView.Left", "TimetableListView.Width",
                                                "EditPanel.Top", "EditPanel.Height",
                                                "FreePanel.Left", "FreePanel.Width"});
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        Splitter = new QSplitter(Qt::Horizontal, this);
        KeloListView = new QTreeWidget;
        KeloListView->setObjectName("KeloListView");
        KeloListView->setHeaderLabels({"a", "b", "c"});
        KeloListView->header()->setStretchLastSection(false);
        TimetableListView = new QTreeWidget;
        TimetableListView->setObjectName("TimetableListView");
        RightSplitter = new QSplitter(Qt::Vertical);
        RightSplitter->addWidget(new QWidget);
        EditPanel = new QWidget;
        EditPanel->setObjectName("EditPanel");
        RightSplitter->addWidget(EditPanel);
        Splitter->addWidget(KeloListView);
        Splitter->addWidget(TimetableListView);
        Splitter->addWidget(RightSplitter);
        layout->addWidget(Splitter);
        FreePanel = new QWidget(KeloListView->viewport());
        FreePanel->setObjectName("FreePanel");
        FreePanel->setGeometry(5, 5, 30, 20);
        resize(700, 450);
    }
    TZoFormStorage* FormStorage;
    QSplitter* Splitter;
    QSplitter* RightSplitter;
    QTreeWidget* KeloListView;
    QTreeWidget* TimetableListView;
    QWidget* EditPanel;
    QWidget* FreePanel;
};

// A second class: its own section.
class TKeloOtherForm : public QWidget {
    Q_OBJECT
public:
    TKeloOtherForm() {
        new TZoFormStorage(this);
        resize(300, 200);
    }
};

namespace {

class FormStorage : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sandbox.IsValid()); }

    QString Value(const QString& section, const QString& key) const {
        QSettings settings(sandbox.SettingsFile(), QSettings::IniFormat);
        return settings.value(section + "/" + key).toString();
    }
    static std::unique_ptr<TKeloTestDiagramForm> Open() {
        auto form = std::make_unique<TKeloTestDiagramForm>();
        form->show();
        return form;
    }
    void WriteFile(const QByteArray& content) const {
        QDir().mkpath(sandbox.SettingsFolder());
        QFile file(sandbox.SettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    TempDirSandbox sandbox;
};

QList<int> Columns(const QTreeWidget* list) {
    QList<int> widths;
    for (int i = 0; i < list->header()->count(); ++i)
        widths << list->header()->sectionSize(i);
    return widths;
}

} // namespace

TEST_F(FormStorage, NothingIsWrittenBeforeTheFirstClose) {
    auto form = Open();
    EXPECT_TRUE(QFileInfo(sandbox.SettingsFolder()).isDir());
    EXPECT_FALSE(QFileInfo::exists(sandbox.SettingsFile()));
    form->close();
    EXPECT_TRUE(QFileInfo::exists(sandbox.SettingsFile()));
}

TEST_F(FormStorage, PlacementAndPartsRoundTrip) {
    QRect placed;
    QList<int> columns;
    QList<int> sizes;
    QList<int> rightSizes;
    {
        auto form = Open();
        form->setGeometry(60, 50, 640, 420);
        form->KeloListView->header()->resizeSection(0, 150);
        form->KeloListView->header()->resizeSection(1, 60);
        form->KeloListView->header()->resizeSection(2, 90);
        const int total =
            form->Splitter->sizes()[0] + form->Splitter->sizes()[1] + form->Splitter->sizes()[2];
        form->Splitter->setSizes({200, 150, total - 350});
        const int rightTotal = form->RightSplitter->sizes()[0] + form->RightSplitter->sizes()[1];
        form->RightSplitter->setSizes({rightTotal - 120, 120});
        placed = form->geometry();
        columns = Columns(form->KeloListView);
        sizes = form->Splitter->sizes();
        rightSizes = form->RightSplitter->sizes();
        form->close();
    }
    // Keys a person can read.
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Left"), "60");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Width"), "640");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "WindowState"), "Normal");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "KeloListView.Columns"), "150,60,90");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "KeloListView.Width"), "200");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "EditPanel.Height"), "120");

    auto again = Open();
    EXPECT_EQ(again->geometry(), placed);
    EXPECT_EQ(Columns(again->KeloListView), columns);
    EXPECT_EQ(again->Splitter->sizes(), sizes);
    EXPECT_EQ(again->RightSplitter->sizes(), rightSizes);
}

TEST_F(FormStorage, SplitterPositionAloneMovesTheHandle) {
    auto form = Open();
    const QList<int> before = form->Splitter->sizes();
    form->close();
    // Only the timetable list's left edge is known: the kelo list takes the difference.
    QSettings settings(sandbox.SettingsFile(), QSettings::IniFormat);
    settings.beginGroup("TKeloTestDiagramForm");
    settings.remove("");
    settings.setValue("TimetableListView.Left", form->TimetableListView->x() + 30);
    settings.endGroup();
    settings.sync();

    auto again = Open();
    const QList<int> after = again->Splitter->sizes();
    EXPECT_EQ(after[0], before[0] + 30);
    EXPECT_EQ(after[1], before[1] - 30);
    EXPECT_EQ(after[2], before[2]);
}

TEST_F(FormStorage, TwoWindowsOfOneClassTheLastClosedWins) {
    auto first = Open();
    auto second = Open();
    first->resize(500, 300);
    second->resize(450, 350);
    second->close();
    first->close();
    auto third = Open();
    EXPECT_EQ(third->size(), QSize(500, 300));
    // Each class keeps its own section.
    TKeloOtherForm other;
    other.show();
    EXPECT_EQ(other.size(), QSize(300, 200));
}

TEST_F(FormStorage, MissingSectionOrFileLeavesTheDesign) {
    TKeloOtherForm other;
    other.show();
    other.close();
    auto form = Open();
    EXPECT_EQ(form->size(), QSize(700, 450));
}

TEST_F(FormStorage, GarbledFileMeansAsDesignedAndIsRepairedByTheNextSave) {
    WriteFile(QByteArray("\x01\x02[TKeloTestDiagramForm\n\xff\xfe=;;\n[=\x00\x00garbage", 40));
    {
        kelo_test::MessageBoxAnswer ok;
        auto form = Open();
        EXPECT_EQ(form->size(), QSize(700, 450));
        form->resize(520, 330);
        form->close();
        ASSERT_EQ(ok.Count(), 1); // the reading, once; the saving succeeds
        EXPECT_TRUE(ok.Last().text.contains("KeloDemo.ini")) << ok.Last().text.toStdString();
    }
    auto again = Open();
    EXPECT_EQ(again->size(), QSize(520, 330));
}

TEST_F(FormStorage, ValuesOutOfRangeAreSkipped) {
    WriteFile("[TKeloTestDiagramForm]\n"
              "Left=100000\nTop=100000\nWidth=-5\nHeight=abc\n"
              "KeloListView.Columns=\"-5,abc,77\"\n"
              "KeloListView.Width=999999\n"
              "EditPanel.Height=-40\n"
              "FreePanel.Left=-3\nFreePanel.Width=12\n");
    TKeloTestDiagramForm designed;
    auto form = Open();
    EXPECT_EQ(form->size(), QSize(700, 450));
    EXPECT_TRUE(form->geometry().intersects(form->screen()->availableGeometry()));
    const QList<int> columns = Columns(form->KeloListView);
    EXPECT_EQ(columns[0], designed.KeloListView->header()->sectionSize(0));
    EXPECT_EQ(columns[2], 77);
    EXPECT_GT(form->Splitter->sizes()[0], 0);
    EXPECT_GT(form->RightSplitter->sizes()[1], 0);
    EXPECT_EQ(form->FreePanel->x(), 5);
    EXPECT_EQ(form->FreePanel->width(), 12);
}

TEST_F(FormStorage, PlacementOffEveryScreenOrTooLargeComesBackOntoTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        QRect stored;
        QRect expected;
    };
    const Case cases[] = {
        // Right of and below every screen: moved back to the nearest edges.
        {QRect(screen.right() + 500, screen.bottom() + 400, 300, 200),
         QRect(screen.right() + 1 - 300, screen.bottom() + 1 - 200, 300, 200)},
        // Larger than the screen: it fills the screen.
        {QRect(-50, -40, screen.width() * 3, screen.height() * 2), screen},
        // Partly off the left edge: slid in, size kept.
        {QRect(screen.left() - 100, screen.top() + 10, 300, 200),
         QRect(screen.left(), screen.top() + 10, 300, 200)},
    };
    for (const Case& c : cases) {
        WriteFile(QString("[TKeloTestDiagramForm]\nLeft=%1\nTop=%2\nWidth=%3\nHeight=%4\n")
                      .arg(c.stored.x())
                      .arg(c.stored.y())
                      .arg(c.stored.width())
                      .arg(c.stored.height())
                      .toLatin1());
        auto form = Open();
        // The platform may nudge a window that fills the screen by its frame.
        EXPECT_EQ(form->size(), c.expected.size()) << c.stored.x() << "," << c.stored.y();
        EXPECT_LE((form->pos() - c.expected.topLeft()).manhattanLength(), 4)
            << c.stored.x() << "," << c.stored.y();
    }
}

TEST_F(FormStorage, MaximisedWindowKeepsItsNormalPlacement) {
    {
        auto form = Open();
        form->setGeometry(40, 40, 500, 300);
        form->showMaximized();
        form->close();
    }
    EXPECT_EQ(Value("TKeloTestDiagramForm", "WindowState"), "Maximized");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Width"), "500");
    auto again = Open();
    EXPECT_TRUE(again->isMaximized());
    again->showNormal();
    EXPECT_EQ(again->geometry(), QRect(40, 40, 500, 300));
}

TEST_F(FormStorage, MinimisedWindowOpensNormal) {
    WriteFile("[TKeloTestDiagramForm]\nLeft=10\nTop=10\nWidth=400\nHeight=300\n"
              "WindowState=Minimized\n");
    auto form = Open();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(form->size(), QSize(400, 300));
}

TEST_F(FormStorage, OwnAccessorsOfTheWindow) {
    QString stored = "first";
    QString received;
    {
        auto form = Open();
        form->FormStorage->SetStoredProps({"Chart.Zoom"});
        form->FormStorage->SetPropertyAccess(
            "Chart.Zoom", [&stored] { return stored; }, [](const QString&) {});
        form->close();
    }
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Chart.Zoom"), "first");
    auto form = std::make_unique<TKeloTestDiagramForm>();
    form->FormStorage->SetStoredProps({"Chart.Zoom"});
    form->FormStorage->SetPropertyAccess(
        "Chart.Zoom", [] { return QString(); }, [&received](const QString& v) { received = v; });
    form->show();
    EXPECT_EQ(received, "first");
}

TEST_F(FormStorage, WindowDestroyedWhileShownIsSaved) {
    auto* form = new TKeloTestDiagramForm;
    form->show();
    form->resize(480, 310);
    form->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Width"), "480");

    auto shown = Open();
    shown->resize(410, 320);
    shown.reset(); // deleted directly: QWidget hides it on the way
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Width"), "410");
}

TEST_F(FormStorage, MdiChildIsPlacedByItsFrame) {
    QMdiArea area;
    area.resize(780, 560);
    area.show();
    {
        auto* form = new TKeloTestDiagramForm;
        QMdiSubWindow* frame = area.addSubWindow(form);
        form->show();
        frame->setGeometry(30, 20, 400, 300);
        frame->close();
        delete frame;
    }
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Left"), "30");
    EXPECT_EQ(Value("TKeloTestDiagramForm", "Width"), "400");
    // Shown through its frame this time, as the main window does.
    QMdiSubWindow* frame = area.addSubWindow(new TKeloTestDiagramForm);
    frame->show();
    EXPECT_EQ(frame->geometry(), QRect(30, 20, 400, 300));
}

TEST_F(FormStorage, UnwritableFolderIsReportedOnceAndTheWindowCloses) {
    // A file where the folder should be: no one, not even root, can write below it.
    QFile blocker(sandbox.SettingsFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    kelo_test::MessageBoxAnswer ok;
    auto form = Open();
    EXPECT_EQ(form->size(), QSize(700, 450));
    EXPECT_EQ(ok.Count(), 0); // no file to read is no failure
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ok.Count(), 1); // one report per writing, not one per key
    EXPECT_FALSE(form->FormStorage->SaveFormPlacement());
    EXPECT_EQ(ok.Count(), 2);
    EXPECT_TRUE(QFileInfo(sandbox.SettingsFolder()).isFile());
}

TEST_F(FormStorage, ReadOnlyFolderKeepsTheOldFileWhole) {
    {
        auto form = Open();
        form->resize(500, 300);
        form->close();
    }
    const QByteArray before = [&] {
        QFile file(sandbox.SettingsFile());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    QFile::setPermissions(sandbox.SettingsFolder(), QFile::ReadOwner | QFile::ExeOwner);
    if (access(QFile::encodeName(sandbox.SettingsFolder()).constData(), W_OK) == 0) {
        QFile::setPermissions(sandbox.SettingsFolder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "permissions do not bind this user";
    }
    {
        kelo_test::MessageBoxAnswer ok;
        auto form = Open();
        form->resize(450, 280);
        EXPECT_FALSE(form->FormStorage->SaveFormPlacement());
        form->close();
        EXPECT_EQ(ok.Count(), 1);
    }
    QFile::setPermissions(sandbox.SettingsFolder(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile file(sandbox.SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

#include "FormStorageTest.moc"
