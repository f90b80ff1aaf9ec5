#include "preview/preview_window.h"

#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"
#include "core/regular_file.h"
#include "preview/mesh_view.h"
#include "textures/texture_set.h"
#include "track/track_generator.h"
#include "ui/file_dialogs.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLocale>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <new>
#include <set>
#include <stdexcept>

namespace kestrane::preview {

namespace {

const LocalText kTitle{"Előnézet", "Preview"};
const LocalText kOpen{"Megnyitás...", "Open..."};
const LocalText kReset{"Alaphelyzet", "Reset view"};
const LocalText kCancel{"Mégse", "Cancel"};
const LocalText kOpenTitle{"Objektumfájl megnyitása", "Open an object file"};
const LocalText kTileCount{" – %1 csempe, a legnagyobb %2 csúcsponttal", " – %1 tiles, the largest with %2 vertices"};
const LocalText kNothing{"Nincs megnyitott objektum.", "No object is open."};
const LocalText kCounts{"%1: %2 szakasz, %3 csúcspont, %4 lap", "%1: %2 sections, %3 vertices, %4 faces"};
const LocalText kProblems{" – %1 hibás sor (kestrane check)", " – %1 problem lines (kestrane check)"};
const LocalText kTooMany{" – FIGYELEM: %1 csúcspont; a szimulátor egy objektumban legfeljebb 65 534-et tölt be!",
                         " – WARNING: %1 vertices; the simulator loads at most 65,534 in one object!"};
const LocalText kUnreadable{"%1 nem olvasható: %2", "%1 cannot be read: %2"};
const LocalText kLoading{"%1 betöltése...", "Loading %1..."};
const LocalText kCancelled{"%1 betöltése megszakítva.", "Loading %1 cancelled."};
const LocalText kNoMemory{"nincs elég memória", "not enough memory"};
const LocalText kBuiltIns{" – %1 beépített textúra a hiányzó képek helyén", " – %1 built-in textures for missing bitmaps"};

QString Tr(const LocalText& text, UiLanguage language) { return QString::fromUtf8(text(language)); }

// The file types of the Open dialog, in its order: what they are and the
// names they match.
struct FileType {
    LocalText name;
    const char* patterns;
};
const FileType kOpenTypes[] = {
    {{"Objektumok és csempekészletek", "Objects and tile sets"}, "*.b3d *.B3D *.csv *.CSV *.obj *.OBJ *_tiles.txt"},
    {{"Pályakészletek elemlistái", "Structure lists of track kits"}, "track_structures.txt palya_elemek.txt"},
    {{"B3D objektumok", "B3D objects"}, "*.b3d *.B3D"},
    {{"CSV objektumok", "CSV objects"}, "*.csv *.CSV"},
    {{"OBJ fájlok", "OBJ files"}, "*.obj *.OBJ"},
    {{"Minden fájl", "All files"}, "*"},
};

// The Open dialog's filter: "name (patterns)" for each type, ";;" between.
QString OpenFilter(UiLanguage language)
{
    QStringList types;
    for (const FileType& type : kOpenTypes)
        types << QStringLiteral("%1 (%2)").arg(Tr(type.name, language), QString::fromLatin1(type.patterns));
    return types.join(QStringLiteral(";;"));
}

QImage ToQImage(const textures::BitmapImage& picture)
{
    QImage image(picture.side(), picture.side(), QImage::Format_RGB888);
    for (int y = 0; y < picture.side(); ++y)
        for (int x = 0; x < picture.side(); ++x) {
            const textures::Rgb8 c = picture.at(x, y);
            image.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    return image;
}

// A track kit's structure list opens as the route shows the kit: this many
// consecutive blocks of its first radius.
constexpr int kKitBlocks = 8;

// The files of the structure list's first radius, each placed at the start
// of every block as the simulator places it, as one model. `largest`
// receives the vertex count of the largest file.
b3d::Model ReadKitBlocks(const std::filesystem::path& path, const b3d::ReadProgress& progress, std::size_t& largest)
{
    // Read as every list the program reads: a regular file, bounded.
    const std::optional<std::string> text = ReadRegularFileFollowingLinks(path, b3d::kMostIndexBytes + 1);
    if (!text || text->size() > b3d::kMostIndexBytes)
        throw b3d::ReadError("cannot be read as a structure list (not a regular file, or too large)");
    const std::optional<TrackStructureFiles> list = ReadTrackStructureList(*text);
    if (!list)
        throw b3d::ReadError("not a track kit's structure list");
    const auto& [radius, files] = list->radii.front();
    b3d::Model model;
    for (const std::string& file : files) {
        const b3d::Model piece = b3d::ReadObjectFile(path.parent_path() / file, progress);
        for (int k = 0; k < kKitBlocks; ++k) {
            const TrackBlockPlace place = PlaceOfBlock(radius, list->blockLength, k);
            for (b3d::Section section : piece.sections) {
                for (Vec3& v : section.vertices)
                    v = place(v);
                model.sections.push_back(std::move(section));
            }
        }
        model.vertexCount += kKitBlocks * piece.vertexCount;
        model.faceCount += kKitBlocks * piece.faceCount;
        model.problemCount += piece.problemCount;
        largest = std::max(largest, piece.vertexCount);
    }
    return model;
}

// The batches of `model`, textured where a bitmap lies in `folder`.
// Whether a texture's bitmap lies there is asked once per name. A missing
// one of the starter set is drawn instead (into `builtIns`), as the object's
// kind (by its names) means it, where no face that names it has a colour of
// its own: a colour chosen for the walls, the roof or the terrain stays in
// view as before.
MeshBatches BatchesWithBitmapsIn(const b3d::Model& model, const QString& folder,
                                 std::map<std::string, QImage>& builtIns)
{
    const QStringList entries = QDir(folder).entryList(QDir::Files);
    std::vector<std::string> names;
    std::set<std::string> coloured;
    for (const b3d::Section& section : model.sections) {
        names.push_back(section.texture);
        if (section.hasColor)
            coloured.insert(section.texture);
    }
    const textures::TextureOwner owner = textures::OwnerOfNames(names);
    std::map<std::string, bool> present;
    auto hasBitmap = [&](const std::string& name) {
        const auto known = present.find(name);
        if (known != present.end())
            return known->second;
        bool found = entries.contains(QString::fromStdString(name), Qt::CaseInsensitive);
        if (!found && !coloured.count(name) && textures::DrawingOf(name, owner)) {
            builtIns.emplace(name, ToQImage(textures::TexturePicture(name, owner)));
            found = true;
        }
        present.emplace(name, found);
        return found;
    };
    return BuildBatches(model, hasBitmap);
}

}  // namespace

// One reading of a file: the worker thread fills it, the window's thread
// reads the progress while it runs and the result once it has finished.
struct PreviewWindow::Loading {
    QString path;
    std::atomic<bool> cancel{false};
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};

    // The result.
    enum class Outcome { Read, Unreadable, NoMemory, Cancelled } outcome = Outcome::Cancelled;
    QString error;
    MeshBatches batches;
    Counts counts;
    std::map<std::string, QImage> builtIns;  // starter textures for bitmaps missing beside the object

    // On the worker thread: reads the file and turns it into batches.
    void Run()
    {
        try {
            const QFileInfo info(path);
            const b3d::ReadProgress progress = [this](std::uint64_t read, std::uint64_t size) {
                done = read;
                total = size;
                return !cancel.load();
            };
            // A tile index: every tile at its origin, as one model.
            b3d::Model model;
            std::size_t tiles = 0, largest = 0;
            if (IsTrackStructureList(path.toStdString())) {
                model = ReadKitBlocks(path.toStdString(), progress, largest);
            } else if (b3d::IsTileIndex(path.toStdString())) {
                b3d::TileSet set = b3d::ReadTileSet(path.toStdString(), progress);
                tiles = set.tiles.size();
                largest = set.mostVertices;
                model = std::move(set.model);
            } else {
                model = b3d::ReadObjectFile(path.toStdString(), progress);
                largest = model.vertexCount;
            }
            if (cancel)
                return;
            counts = {model.sections.size(), model.vertexCount, model.faceCount, model.problemCount, tiles, largest};
            batches = BatchesWithBitmapsIn(model, info.absolutePath(), builtIns);
            counts.builtInTextures = builtIns.size();
            outcome = cancel ? Outcome::Cancelled : Outcome::Read;
        } catch (const b3d::ReadCancelled&) {
            outcome = Outcome::Cancelled;
        } catch (const b3d::ReadError& e) {
            outcome = Outcome::Unreadable;
            error = QString::fromStdString(e.what());
        } catch (const std::bad_alloc&) {
            batches = {};
            outcome = Outcome::NoMemory;
        } catch (const std::exception& e) {
            batches = {};
            outcome = Outcome::Unreadable;
            error = QString::fromStdString(e.what());
        }
    }
};

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
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("previewCancelButton");
    cancel_->hide();
    progress_ = new QProgressBar(this);
    progress_->setObjectName("previewProgress");
    progress_->setTextVisible(false);
    progress_->hide();
    status_ = new QLabel(this);
    status_->setObjectName("previewStatus");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(reset_);
    buttons->addStretch();
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    layout->addWidget(status_);

    connect(open_, &QPushButton::clicked, this, &PreviewWindow::chooseFile);
    connect(reset_, &QPushButton::clicked, view_, &MeshView::resetView);
    connect(cancel_, &QPushButton::clicked, this, &PreviewWindow::cancelLoading);
    applyTexts();
}

void PreviewWindow::setLanguage(UiLanguage language)
{
    language_ = language;
    applyTexts();
}

void PreviewWindow::applyTexts()
{
    setWindowTitle(Tr(kTitle, language_));
    open_->setText(Tr(kOpen, language_));
    reset_->setText(Tr(kReset, language_));
    cancel_->setText(Tr(kCancel, language_));
    if (loading_)
        status_->setText(Tr(kLoading, language_).arg(QFileInfo(loading_->path).fileName()));
    else if (failure_)
        status_->setText(failure_(language_));
    else
        status_->setText(file_.isEmpty() ? Tr(kNothing, language_) : summary());
}

QString PreviewWindow::summary() const
{
    const QLocale locale(language_ == UiLanguage::Hungarian ? QLocale::Hungarian : QLocale::English);
    QString text = Tr(kCounts, language_)
                       .arg(QFileInfo(file_).fileName(), locale.toString(qulonglong(counts_.sections)),
                            locale.toString(qulonglong(counts_.vertices)), locale.toString(qulonglong(counts_.faces)));
    if (counts_.problems != 0)
        text += Tr(kProblems, language_).arg(counts_.problems);
    if (counts_.tiles > 0)
        text += Tr(kTileCount, language_).arg(locale.toString(qulonglong(counts_.tiles)),
                                              locale.toString(qulonglong(counts_.largestObject)));
    if (counts_.builtInTextures > 0)
        text += Tr(kBuiltIns, language_).arg(counts_.builtInTextures);
    if (counts_.largestObject > b3d::kMostVertices)
        text += Tr(kTooMany, language_).arg(locale.toString(qulonglong(counts_.largestObject)));
    return text;
}

void PreviewWindow::cancelLoading()
{
    if (loading_)
        loading_->cancel = true;
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    cancelLoading();
    QWidget::closeEvent(event);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PreviewWindow::showProgress()
{
    if (!loading_)
        return;
    const std::uint64_t total = loading_->total;
    if (total == 0) {
        progress_->setRange(0, 0);  // busy, size unknown
        return;
    }
    progress_->setRange(0, 1000);
    progress_->setValue(static_cast<int>(std::min<std::uint64_t>(loading_->done * 1000 / total, 1000)));
}

bool PreviewWindow::openFile(const QString& path)
{
    // A reading under way gives way to this one; it ends by itself.
    cancelLoading();
    auto loading = std::make_shared<Loading>();
    loading->path = path;
    loading_ = loading;
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->show();
    cancel_->show();
    status_->setStyleSheet("");
    failure_ = {};
    applyTexts();

    // The window's own events go on meanwhile: drawing, the Cancel button,
    // and whatever else the user does in the other windows.
    QEventLoop wait;
    QTimer ticks;
    connect(&ticks, &QTimer::timeout, this, &PreviewWindow::showProgress);
    ticks.start(50);
    QThread* worker = QThread::create([loading] { loading->Run(); });
    connect(worker, &QThread::finished, &wait, &QEventLoop::quit);
    worker->start();
    wait.exec();
    if (!worker->isFinished()) {
        // The program is ending: the event loops were told to quit.
        loading->cancel = true;
        worker->wait();
    }
    delete worker;
    ticks.stop();

    if (loading_ != loading) {
        // Another file was opened meanwhile and has been shown.
        return false;
    }
    loading_.reset();
    progress_->hide();
    cancel_->hide();
    const QString name = QFileInfo(path).fileName();
    switch (loading->outcome) {
    case Loading::Outcome::Read:
        break;
    case Loading::Outcome::Cancelled:
        failure_ = [name](UiLanguage language) { return Tr(kCancelled, language).arg(name); };
        break;
    case Loading::Outcome::NoMemory:
        failure_ = [name](UiLanguage language) {
            return Tr(kUnreadable, language).arg(name, Tr(kNoMemory, language));
        };
        break;
    case Loading::Outcome::Unreadable:
        failure_ = [name, error = loading->error](UiLanguage language) {
            return Tr(kUnreadable, language).arg(name, error);
        };
        break;
    }
    if (failure_) {
        status_->setText(failure_(language_));
        return false;
    }

    const QFileInfo info(path);
    view_->setMesh(std::move(loading->batches), info.absolutePath(), std::move(loading->builtIns));
    file_ = info.absoluteFilePath();
    counts_ = loading->counts;
    status_->setText(summary());
    status_->setStyleSheet(counts_.largestObject > b3d::kMostVertices ? "color: #a00000; font-weight: bold;" : "");
    return true;
}

void PreviewWindow::showModel(const b3d::Model& model, const QString& name, const QString& folder)
{
    cancelLoading();
    loading_.reset();
    progress_->hide();
    cancel_->hide();
    std::map<std::string, QImage> builtIns;
    MeshBatches batches = BatchesWithBitmapsIn(model, folder, builtIns);
    file_ = QDir(folder).filePath(name);
    counts_ = {model.sections.size(), model.vertexCount, model.faceCount, model.problemCount, 0, 0};
    counts_.builtInTextures = builtIns.size();
    view_->setMesh(std::move(batches), folder, std::move(builtIns));
    status_->setText(summary());
    status_->setStyleSheet("");
}

void PreviewWindow::chooseFile()
{
    const QString start = file_.isEmpty() ? QDir::currentPath() : QFileInfo(file_).absolutePath();
    const QString path =
        ui::ChooseWithFileDialog(this, ui::FileDialogKind::OpenFile, Tr(kOpenTitle, language_), start,
                                 OpenFilter(language_));
    if (!path.isEmpty())
        openFile(path);
}

namespace {

PreviewWindow* g_sharedWindow = nullptr;
UiLanguage g_previewLanguage = UiLanguage::Hungarian;

}  // namespace

PreviewWindow& SharedPreviewWindow()
{
    if (!g_sharedWindow) {
        g_sharedWindow = new PreviewWindow;
        g_sharedWindow->setLanguage(g_previewLanguage);
    }
    return *g_sharedWindow;
}

void SetPreviewLanguage(UiLanguage language)
{
    g_previewLanguage = language;
    if (g_sharedWindow)
        g_sharedWindow->setLanguage(language);
}

}  // namespace kestrane::preview
