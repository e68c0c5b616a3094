// The diagram window's options dialog, printouts and picture files, driven through the
// window with the dialogs answered by the test.
#include "Cp1251.h"
#include "KeloBuiltInTestSupport.h"
#include "KeloDemoDataClass.h"
#include "ModalAnswer.h"
#include "TKeloTripDiagramForm.h"
#include "TKeloTripDiagramOptionsForm.h"
#include "TempDirSandbox.h"
#include "TripDiagramPaintBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

const std::string Kelo02P = "02\xCF"; // 02П

// Output of a poppler tool, or nothing when the tool is not installed.
std::optional<QString> RunPoppler(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class TripDiagramFormOutputTest : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TKeloTripDiagramForm>(nullptr, Kelo02P, BuiltInLineOf(Kelo02P),
                                                      MakeBuiltInSource(BuiltInLineOf(Kelo02P)));
        form->resize(900, 600);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void Trigger(const char* item) { form->findChild<QAction*>(item)->trigger(); }
    bool Ticked(const char* item) { return form->findChild<QAction*>(item)->isChecked(); }
    QPrinter& PdfPrinter(const QString& name) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath(name));
        return *printer;
    }
    // Every stop name of the line, as the planner reads it.
    QStringList StopNames() {
        QStringList names;
        for (const std::string& code : BuiltInLineOf(Kelo02P))
            names << QString::fromStdString(
                Cp1251ToUtf8(form->EditBuffer()->FindStop(code)->GetName()));
        return names;
    }

    kelo_test::TempDirSandbox sandbox;
    QTemporaryDir dir;
    std::unique_ptr<TKeloTripDiagramForm> form;
    std::unique_ptr<QPrinter> printer;
};

TEST_F(TripDiagramFormOutputTest, OptionsDialogLoadsTheWindowAndAppliesWhatWasConfirmed) {
    Trigger("MonoColorMenuItem"); // multi-colour mode before the dialog opens
    kelo_test::WhenModal<TKeloTripDiagramOptionsForm> answer([](TKeloTripDiagramOptionsForm* d) {
        EXPECT_EQ(d->BaseSpeedEdit->text(), "60");
        EXPECT_EQ(d->BaseSpeedAngleEdit->text(), "75");
        EXPECT_EQ(d->ViewScaleComboBox->currentText(), "100");
        EXPECT_TRUE(d->ShowForwardKelosCheckBox->isChecked());
        EXPECT_FALSE(d->ShowBackwardKelosCheckBox->isChecked());
        EXPECT_TRUE(d->ShowKeloInOutRowCheckBox->isChecked());
        EXPECT_TRUE(d->ShowGridCheckBox->isChecked());
        EXPECT_FALSE(d->MonoColorKeloModeCheckBox->isChecked());
        EXPECT_FALSE(d->KeloCommonColorButton->isEnabled());
        EXPECT_FALSE(d->KeloSelectedColorButton->isEnabled());
        EXPECT_EQ(d->GetGridColor(), 0xE0E0E0u);
        EXPECT_EQ(d->GetSelectedColor(), 0xFF0000u);
        d->ShowBackwardKelosCheckBox->setChecked(true);
        d->ShowGridCheckBox->setChecked(false);
        d->ShowKeloInOutRowCheckBox->setChecked(false);
        d->MonoColorKeloModeCheckBox->setChecked(true);
        d->BaseSpeedEdit->setText("30");
        d->ViewScaleComboBox->setEditText("200");
        d->OkButton->click();
    });
    Trigger("SetupMenuItem");
    ASSERT_TRUE(answer.Done());

    const TripDiagramDisplayStateType& s = form->State();
    EXPECT_TRUE(s.showBackward && Ticked("ShowBackwardMenuItem"));
    EXPECT_FALSE(s.showStopGrid || s.showTimeGrid || Ticked("ShowGridMenuItem"));
    EXPECT_FALSE(s.showInOutMarks || Ticked("ShowInOutMarksMenuItem"));
    EXPECT_TRUE(s.monoColor && Ticked("MonoColorMenuItem"));
    EXPECT_EQ(s.baseSpeed, 30.0f);
    EXPECT_EQ(s.distanceZoom, 2.0f);
    EXPECT_TRUE(Ticked("Zoom200MenuItem"));
    EXPECT_FALSE(Ticked("Zoom100MenuItem"));
    // The new time scale is in force before the zoom sizes the paint area.
    const double timeScale = 3 * 30 * double(s.distanceScale) / std::tan(75 * 3.1415926 / 180);
    EXPECT_NEAR(s.timeScale, timeScale, 1e-3);
    EXPECT_EQ(form->ChartPaintBox()->width(),
              int(2 * double(s.timeScale) * 24 + s.labelWidth + 40));
    for (const TripDiagramKeloViewType& view : form->Diagram().KeloViews())
        EXPECT_TRUE(view.visible); // both directions
}

TEST_F(TripDiagramFormOutputTest, CancelAndAnUnchangedOkLeaveTheWindowAsItWas) {
    Trigger("MonoColorMenuItem");
    const TripDiagramDisplayOptionsType before = form->Diagram().GetDisplayOptions();
    const QSize size = form->ChartPaintBox()->size();
    kelo_test::WhenModal<TKeloTripDiagramOptionsForm> cancel([](TKeloTripDiagramOptionsForm* d) {
        d->ShowBackwardKelosCheckBox->setChecked(true);
        d->MonoColorKeloModeCheckBox->setChecked(true);
        d->BaseSpeedEdit->setText("abc"); // Cancel never checks
        d->ViewScaleComboBox->setEditText("500");
        d->CancelButton->click();
    });
    Trigger("SetupMenuItem");
    ASSERT_TRUE(cancel.Done());
    EXPECT_EQ(form->Diagram().GetDisplayOptions(), before);
    EXPECT_EQ(form->ChartPaintBox()->size(), size);

    kelo_test::WhenModal<TKeloTripDiagramOptionsForm> ok(
        [](TKeloTripDiagramOptionsForm* d) { d->OkButton->click(); });
    Trigger("SetupMenuItem");
    ASSERT_TRUE(ok.Done());
    EXPECT_EQ(form->Diagram().GetDisplayOptions(), before);
    EXPECT_FALSE(form->State().monoColor);
    EXPECT_EQ(form->ChartPaintBox()->size(), size);
}

TEST_F(TripDiagramFormOutputTest, PrintingTheVisiblePartCopiesWhatTheScrollAreaShows) {
    const QList<QAction*> items = form->findChild<QMenu*>("PrintMenuItem")->actions();
    EXPECT_TRUE(form->findChild<QAction*>("PrintWholeDiagramMenuItem")->isVisible());
    EXPECT_EQ(items.back()->text(), QString::fromUtf8("Сохранить изображение..."));
    QScrollArea* scroll = form->ChartScrollBox();
    ASSERT_GT(scroll->horizontalScrollBar()->maximum(), 1000);
    scroll->horizontalScrollBar()->setValue(1000);
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    const QRect shown(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value(),
                      scroll->viewport()->width(), scroll->viewport()->height());
    EXPECT_EQ(form->PrintDiagram(PdfPrinter("visible.pdf")),
              shown.intersected(form->ChartPaintBox()->rect()));
    if (auto info = RunPoppler("pdfinfo", {dir.filePath("visible.pdf")})) {
        EXPECT_TRUE(info->contains(QRegularExpression("Pages: +1\\n"))) << info->toStdString();
    }
}

TEST_F(TripDiagramFormOutputTest, WholeDiagramPrintsOnePageWithEveryStopNameAsText) {
    ASSERT_TRUE(form->PrintWholeDiagram(PdfPrinter("whole.pdf")));
    auto info = RunPoppler("pdfinfo", {dir.filePath("whole.pdf")});
    auto text = RunPoppler("pdftotext", {dir.filePath("whole.pdf"), "-"});
    if (!info || !text)
        GTEST_SKIP() << "pdfinfo / pdftotext (poppler-utils) are not installed";
    EXPECT_TRUE(info->contains(QRegularExpression("Pages: +1\\n"))) << info->toStdString();
    EXPECT_TRUE(info->contains("landscape") || info->contains("842 x 595") ||
                info->contains("792 x 612"))
        << info->toStdString();
    for (const QString& name : StopNames())
        EXPECT_TRUE(text->contains(name)) << name.toStdString();
    EXPECT_TRUE(text->contains("24:00"));
}

TEST_F(TripDiagramFormOutputTest, PrintsAndFilesLeaveTheClickAreasAlone) {
    // The stop name of row 3: its box centre hits it, before and after every kind of output.
    ZoCanvasClass& canvas = form->Diagram().GetCanvas();
    std::uint32_t name = 0;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
        if (dynamic_cast<const ZoCanvasItemTextClass*>(canvas.GetItem(id)) &&
            canvas.GetTag(id, TripDiagramClass::StopIndexTag) == "3")
            name = id;
    const ZoRectType box = canvas.GetItem(name)->Bounds();
    const int x = box.left + 2;
    const int y = (box.top + box.bottom) / 2;
    std::uint32_t hit = 0;
    ASSERT_TRUE(canvas.HitTest(x, y, hit));
    ASSERT_EQ(hit, name);

    ASSERT_TRUE(form->PrintWholeDiagram(PdfPrinter("whole.pdf")));
    form->PrintDiagram(PdfPrinter("visible.pdf"));
    EXPECT_EQ(form->ExportDiagram(dir.filePath("d.svg")), "");
    hit = 0;
    EXPECT_TRUE(canvas.HitTest(x, y, hit));
    EXPECT_EQ(hit, name);
    EXPECT_EQ(canvas.GetItem(name)->Bounds(), box);
}

TEST_F(TripDiagramFormOutputTest, SaveImageWritesTheChosenFormatOrReportsAndLeavesNoFile) {
    // Typed into the name field, as the planner does; no extension: the filter's is added.
    auto typeName = [](QFileDialog* d, const QString& name) {
        ASSERT_NE(d->findChild<QLineEdit*>("fileNameEdit"), nullptr);
        kelo_test::AnswerFileDialog(d, name);
    };
    kelo_test::WhenModal<QFileDialog> save([&](QFileDialog* d) {
        d->selectNameFilter(d->nameFilters().at(1)); // SVG
        typeName(d, dir.filePath("chart"));
    });
    Trigger("SaveImageMenuItem");
    ASSERT_TRUE(save.Done());
    QFile svg(dir.filePath("chart.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    for (const QString& name : StopNames())
        EXPECT_TRUE(text.contains(name)) << name.toStdString();

    kelo_test::WhenModal<QFileDialog> unwritable([&](QFileDialog* d) {
        typeName(d, dir.filePath("chart.png/inside.png")); // a folder that is a file's name
    });
    QFile(dir.filePath("chart.png")).open(QIODevice::WriteOnly); // an empty file in the way
    kelo_test::MessageBoxAnswer error(QMessageBox::Ok);
    Trigger("SaveImageMenuItem");
    ASSERT_EQ(error.Count(), 1);
    EXPECT_TRUE(error.Last().text.contains("chart.png/inside.png"))
        << error.Last().text.toStdString();
    EXPECT_EQ(error.Last().icon, QMessageBox::Critical);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // chart.svg and chart.png
}

} // namespace
