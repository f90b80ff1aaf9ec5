#include "preview/preview_window.h"

#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"
#include "preview/mesh_view.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

#include <map>
#include <memory>

namespace kestrane::preview {

namespace {

const LocalText kTitle{"Előnézet", "Preview"};
const LocalText kOpen{"Megnyitás...", "Open..."};
const LocalText kReset{"Alaphelyzet", "Reset view"};
const LocalText kOpenTitle{"B3D fájl megnyitása", "Open a B3D file"};
const LocalText kFilter{"B3D objektumok (*.b3d *.B3D);;Minden fájl (*)", "B3D objects (*.b3d *.B3D);;All files (*)"};
const LocalText kTileSetFilter{"B3D objektumok és csempekészletek (*.b3d *.B3D *_tiles.txt);;",
                               "B3D objects and tile sets (*.b3d *.B3D *_tiles.txt);;"};
const LocalText kTileCount{" – %1 csempe, a legnagyobb %2 csúcsponttal", " – %1 tiles, the largest with %2 vertices"};
const LocalText kNothing{"Nincs megnyitott objektum.", "No object is open."};
const LocalText kCounts{"%1: %2 szakasz, %3 csúcspont, %4 lap", "%1: %2 sections, %3 vertices, %4 faces"};
const LocalText kProblems{" – %1 hibás sor (kestrane check)", " – %1 problem lines (kestrane check)"};
const LocalText kTooMany{" – FIGYELEM: %1 csúcspont; a szimulátor egy objektumban legfeljebb 65 534-et tölt be!",
                         " – WARNING: %1 vertices; the simulator loads at most 65,534 in one object!"};
const LocalText kUnreadable{"%1 nem olvasható: %2", "%1 cannot be read: %2"};

QString Tr(const LocalText& text, UiLanguage language) { return QString::fromUtf8(text(language)); }

}  // namespace

PreviewWindow::PreviewWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("PreviewWindow");
    resize(900, 640);
    view_ = new MeshView(this);
    view_->setObjectName("previewView");
    open_ = new QPushButton(this);
    open_->setObjectName("previewOpenButton");
    reset_ = new QPushButton(this);
    reset_->setObjectName("previewResetButton");
    status_ = new QLabel(this);
    status_->setObjectName("previewStatus");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);

    connect(open_, &QPushButton::clicked, this, &PreviewWindow::chooseFile);
    connect(reset_, &QPushButton::clicked, view_, &MeshView::resetView);
    applyTexts();
}

void PreviewWindow::setLanguage(UiLanguage language)
{
    language_ = language;
    if (!file_.isEmpty())
        openFile(file_);  // the summary in the new language
    applyTexts();
}

void PreviewWindow::applyTexts()
{
    setWindowTitle(Tr(kTitle, language_));
    open_->setText(Tr(kOpen, language_));
    reset_->setText(Tr(kReset, language_));
    status_->setText(file_.isEmpty() ? Tr(kNothing, language_) : summary_);
}

bool PreviewWindow::openFile(const QString& path)
{
    b3d::Model model;
    std::size_t tiles = 0;            // a tile set: its tiles
    std::size_t largestObject = 0;    // the vertices of the largest object the simulator loads
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (b3d::IsTileIndex(path.toStdString())) {
            b3d::TileSet set = b3d::ReadTileSet(path.toStdString());
            tiles = set.tiles.size();
            largestObject = set.mostVertices;
            model = std::move(set.model);
        } else {
            model = b3d::ReadB3dFile(path.toStdString());
            largestObject = model.vertexCount;
        }
        QApplication::restoreOverrideCursor();
    } catch (const b3d::ReadError& e) {
        QApplication::restoreOverrideCursor();
        status_->setText(Tr(kUnreadable, language_).arg(QFileInfo(path).fileName(), QString::fromStdString(e.what())));
        return false;
    }
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    // Whether a texture's bitmap lies beside the object, asked once per name.
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    std::map<std::string, bool> present;
    auto hasBitmap = [&](const std::string& name) {
        const auto known = present.find(name);
        if (known != present.end())
            return known->second;
        const bool found = entries.contains(QString::fromStdString(name), Qt::CaseInsensitive);
        present.emplace(name, found);
        return found;
    };
    view_->setMesh(BuildBatches(model, hasBitmap), folder);
    file_ = info.absoluteFilePath();

    const QLocale locale(language_ == UiLanguage::Hungarian ? QLocale::Hungarian : QLocale::English);
    summary_ = Tr(kCounts, language_)
                   .arg(info.fileName(), locale.toString(qulonglong(model.sections.size())),
                        locale.toString(qulonglong(model.vertexCount)), locale.toString(qulonglong(model.faceCount)));
    if (tiles > 0)
        summary_ += Tr(kTileCount, language_).arg(locale.toString(qulonglong(tiles)),
                                                  locale.toString(qulonglong(largestObject)));
    if (!model.problems.empty())
        summary_ += Tr(kProblems, language_).arg(model.problems.size());
    if (largestObject > b3d::kMostVertices)
        summary_ += Tr(kTooMany, language_).arg(locale.toString(qulonglong(largestObject)));
    status_->setText(summary_);
    status_->setStyleSheet(largestObject > b3d::kMostVertices ? "color: #a00000; font-weight: bold;" : "");
    return true;
}

void PreviewWindow::chooseFile()
{
    const QString start = file_.isEmpty() ? QDir::currentPath() : QFileInfo(file_).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, Tr(kOpenTitle, language_), start,
                                     Tr(kTileSetFilter, language_) + Tr(kFilter, language_));
    if (!path.isEmpty())
        openFile(path);
}

PreviewWindow& SharedPreviewWindow()
{
    static PreviewWindow* window = new PreviewWindow;
    return *window;
}

}  // namespace kestrane::preview
