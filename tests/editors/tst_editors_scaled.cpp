#include "editors/form_edit_cmd_ans.h"
#include "editors/form_edit_command_record.h"
#include "editors/record_grid.h"
#include "support_editors.h"

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace EditorTest;

namespace {

constexpr qreal Scale = 1.5;
constexpr int ScreenWidth = 1400;

// Thirteen columns of long texts: wider than the screen.
const QByteArray File =
    "[General]\nProtocol=1\n\n[Groups]\nReceipt=\n\n[Receipt]\nSell item=\n\n[ReceiptSell item]\nCommands="
    "0,\"Description of the item sold\",\"Text printed on the receipt line\",0,\"Item\",0,20,1,0,0,0,1,"
    "0,\"Unit price of the item sold\",\"Unit price with two decimals\",2,\"\",0,10,1,0,9,2,0\n"
    "Answers=\"Number of the receipt line\",3,0\n";

// The lightest and the darkest grey along a line of device pixels.
std::pair<int, int> LightnessRange(const QImage &image, QPoint from, QPoint step, int count)
{
    int lightest = 0;
    int darkest = 255;
    for (int i = 0; i < count; ++i, from += step) {
        const int value = image.pixelColor(from).lightness();
        lightest = qMax(lightest, value);
        darkest = qMin(darkest, value);
    }
    return {lightest, darkest};
}

} // namespace

// The editors on a 1400 x 900 screen shown at 150 %.
class TstEditorsScaled : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fieldsEditorFitsTheScreen();
    void memosKeepTheirFrames();

private:
    QString Path() const { return m_dir.filePath("scaled.tsy"); }

    QTemporaryDir m_dir;
    TDialogScript m_prompts;
};

void TstEditorsScaled::initTestCase()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->devicePixelRatio(), Scale);
    QCOMPARE(qRound(screen->geometry().width() * Scale), ScreenWidth);
    WriteFile(Path(), File);
}

// The window fits the screen; the grid scrolls to show what does not fit.
void TstEditorsScaled::fieldsEditorFitsTheScreen()
{
    TFormEditCmdAns editor(Path(), QStringLiteral("ReceiptSell item"), m_prompts);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    const QRect available = editor.screen()->availableGeometry();
    QVERIFY2(editor.frameGeometry().width() <= available.width(),
             qPrintable(QStringLiteral("%1 of %2 device pixels")
                            .arg(qRound(editor.frameGeometry().width() * Scale))
                            .arg(ScreenWidth)));
    QVERIFY(available.contains(editor.frameGeometry()));
    auto *grid = Child<TRecordGrid>(&editor, "StringGridCommands");
    QVERIFY(grid->horizontalScrollBar()->isVisible());
    QVERIFY(grid->horizontalScrollBar()->maximum() > 0);
    // Scrolled to the end, the last column shows whole.
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    const int last = grid->columnCount() - 1;
    QVERIFY(grid->columnViewportPosition(last) + grid->columnWidth(last) <= grid->viewport()->width());
}

// Every side of each memo's frame is drawn: the text area does not paint
// over it at this scale.
void TstEditorsScaled::memosKeepTheirFrames()
{
    TFormEditCommandRecord dialog(true, m_prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage image = dialog.grab().toImage();
    QCOMPARE(image.devicePixelRatio(), Scale);
    for (const char *name : {"MemoComboLines", "MemoNotes"}) {
        const auto *memo = Child<QPlainTextEdit>(&dialog, name);
        const QRect box(memo->mapTo(&dialog, QPoint(0, 0)) * Scale, memo->size() * Scale);
        // Along each side, the frame's line of device pixels (or the one
        // beside it, by rounding) is darker than the base it surrounds.
        const int base = memo->palette().color(QPalette::Base).lightness();
        const int along = 20;
        const QPoint middleLeft(box.left(), box.center().y() - along);
        const QPoint middleTop(box.center().x() - along, box.top());
        const QPoint middleRight(box.right(), box.center().y() - along);
        for (const auto &[start, step, across, side] :
             {std::tuple{middleLeft, QPoint(0, 1), QPoint(1, 0), "left"},
              std::tuple{middleTop, QPoint(1, 0), QPoint(0, 1), "top"},
              std::tuple{middleRight, QPoint(0, 1), QPoint(-1, 0), "right"}}) {
            const auto outer = LightnessRange(image, start, step, 2 * along);
            const auto inner = LightnessRange(image, start + across, step, 2 * along);
            const int line = qMin(outer.first, inner.first);
            QVERIFY2(line < base - 20, qPrintable(QStringLiteral("%1: no frame on the %2 side").arg(name, side)));
        }
    }
}

int main(int argc, char **argv)
{
    // A screen 1400 device pixels wide at 150 %, whatever the caller's.
    qputenv("QT_SCALE_FACTOR", "1.5");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TESSALY_SOURCE_DIR "/tests/editors/screen_1400x900.json");
    QApplication app(argc, argv);
    TstEditorsScaled test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_editors_scaled.moc"
