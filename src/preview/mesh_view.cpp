#include "preview/mesh_view.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <map>

namespace kestrane::preview {

namespace {

const char* const kMeshVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec4 color;
attribute vec2 texCoord;
uniform mat4 mvp;
varying vec3 vNormal;
varying vec4 vColor;
varying vec2 vTexCoord;
void main()
{
    gl_Position = mvp * vec4(position, 1.0);
    vNormal = normal;
    vColor = color;
    vTexCoord = texCoord;
}
)";

// A fixed light from above, front and right; the back of a two-sided face
// is lit like its front.
const char* const kMeshFragmentShader = R"(
uniform sampler2D bitmap;
uniform bool textured;
uniform vec3 lightDirection;
varying vec3 vNormal;
varying vec4 vColor;
varying vec2 vTexCoord;
void main()
{
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing)
        n = -n;
    float light = 0.45 + 0.55 * max(dot(n, lightDirection), 0.0);
    vec4 base = vColor;
    if (textured)
        base *= texture2D(bitmap, vTexCoord);
    gl_FragColor = vec4(base.rgb * light, base.a);
}
)";

const char* const kGridVertexShader = R"(
attribute vec3 position;
uniform mat4 mvp;
void main() { gl_Position = mvp * vec4(position, 1.0); }
)";

const char* const kGridFragmentShader = R"(
uniform vec4 color;
void main() { gl_FragColor = color; }
)";

bool FiniteBounds(const Bounds& bounds)
{
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(bounds.low[k]) || !std::isfinite(bounds.high[k]))
            return false;
    return true;
}

// A texture file beside the object; names written on Windows may differ
// from the file in case only.
// Only regular files: a pipe or a device under a bitmap's name would block
// the window's thread in the image reader.
QString FindBitmap(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    if (dir.exists(name))
        return QFileInfo(dir.filePath(name)).isFile() ? dir.filePath(name) : QString();
    const auto entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && QFileInfo(dir.filePath(entry)).isFile())
            return dir.filePath(entry);
    return {};
}

}  // namespace

MeshView::MeshView(QWidget* parent) : QOpenGLWidget(parent)
{
    setMinimumSize(320, 240);
    setFocusPolicy(Qt::StrongFocus);
}

MeshView::~MeshView()
{
    makeCurrent();
    releaseGpu();
    gridBuffer_.destroy();
    doneCurrent();
}

void MeshView::setMesh(MeshBatches batches, const QString& folder, std::map<std::string, QImage> builtIns)
{
    pending_ = std::move(batches);
    bounds_ = pending_.bounds;
    folder_ = folder;
    builtIns_ = std::move(builtIns);
    uploadPending_ = true;
    resetView();
}

void MeshView::resetView()
{
    const QVector3D low(bounds_.low[0], bounds_.low[1], bounds_.low[2]);
    const QVector3D high(bounds_.high[0], bounds_.high[1], bounds_.high[2]);
    const bool empty = bounds_.empty || !FiniteBounds(bounds_);
    target_ = empty ? QVector3D() : low / 2 + high / 2;
    float radius = empty ? 5.0f : std::max((high / 2 - low / 2).length(), 0.5f);
    if (!std::isfinite(radius))
        radius = std::numeric_limits<float>::max() / 4;
    distance_ = radius * 2.6f;
    yaw_ = -55;
    pitch_ = 25;
    update();
}

void MeshView::initializeGL()
{
    initializeOpenGLFunctions();
    meshProgram_.addShaderFromSourceCode(QOpenGLShader::Vertex, kMeshVertexShader);
    meshProgram_.addShaderFromSourceCode(QOpenGLShader::Fragment, kMeshFragmentShader);
    meshProgram_.link();
    gridProgram_.addShaderFromSourceCode(QOpenGLShader::Vertex, kGridVertexShader);
    gridProgram_.addShaderFromSourceCode(QOpenGLShader::Fragment, kGridFragmentShader);
    gridProgram_.link();
    gridBuffer_.create();
    // A widget re-created on another context uploads again.
    if (!pending_.batches.empty() || !gpu_.empty())
        uploadPending_ = true;
    gpu_.clear();
}

void MeshView::releaseGpu()
{
    for (auto& batch : gpu_) {
        batch->buffer.destroy();
        batch->texture.reset();
    }
    gpu_.clear();
}

void MeshView::upload()
{
    releaseGpu();
    std::map<std::string, QImage> images;
    for (const Batch& batch : pending_.batches) {
        auto gpu = std::make_unique<GpuBatch>();
        gpu->twoSided = batch.twoSided;
        gpu->vertexCount = static_cast<int>(batch.vertices.size());
        gpu->buffer.create();
        gpu->buffer.bind();
        gpu->buffer.allocate(batch.vertices.data(), static_cast<int>(batch.vertices.size() * sizeof(DrawVertex)));
        gpu->buffer.release();
        if (!batch.texture.empty()) {
            const QString path = FindBitmap(folder_, QString::fromStdString(batch.texture));
            QImage image(path);
            if (image.isNull() && builtIns_.count(batch.texture))
                image = builtIns_.at(batch.texture);
            if (!image.isNull()) {
                // Uploaded top row first, so v = 0 is the top of the bitmap.
                gpu->texture = std::make_unique<QOpenGLTexture>(QOpenGLTexture::Target2D);
                gpu->texture->setData(image.convertToFormat(QImage::Format_RGBA8888), QOpenGLTexture::GenerateMipMaps);
                gpu->texture->setMinificationFilter(QOpenGLTexture::LinearMipMapLinear);
                gpu->texture->setMagnificationFilter(QOpenGLTexture::Linear);
                gpu->texture->setWrapMode(QOpenGLTexture::Repeat);
            }
        }
        gpu_.push_back(std::move(gpu));
    }
    // The vertex arrays live on the graphics card from now on.
    pending_.batches.clear();
    pending_.batches.shrink_to_fit();
    buildGrid();
    uploadPending_ = false;
}

void MeshView::buildGrid()
{
    // A ground grid under the object, in steps of 1, 10 or 100 metres, and
    // coarser where that would take more than kMostGridLines lines. The
    // lines are counted, not stepped to in float: at far-away coordinates
    // adding a step no longer moves a float.
    const bool empty = bounds_.empty || !FiniteBounds(bounds_);
    const double lowX = empty ? -5.0 : bounds_.low[0];
    const double highX = empty ? 5.0 : bounds_.high[0];
    const double lowZ = empty ? -5.0 : bounds_.low[2];
    const double highZ = empty ? 5.0 : bounds_.high[2];
    const double extent = std::max({highX - lowX, highZ - lowZ, 10.0});
    double step = extent > 400 ? 100.0 : extent > 40 ? 10.0 : 1.0;
    while (extent / step + 5 > kMostGridLines)
        step *= 10;
    const double margin = step * 2;
    const double x0 = std::floor((lowX - margin) / step) * step;
    const double x1 = std::ceil((highX + margin) / step) * step;
    const double z0 = std::floor((lowZ - margin) / step) * step;
    const double z1 = std::ceil((highZ + margin) / step) * step;
    const auto columns = static_cast<int>(std::lround((x1 - x0) / step)) + 1;
    const auto rows = static_cast<int>(std::lround((z1 - z0) / step)) + 1;
    std::vector<float> lines;
    lines.reserve(static_cast<std::size_t>(columns + rows) * 6);
    auto add = [&lines](double ax, double az, double bx, double bz) {
        lines.insert(lines.end(), {static_cast<float>(ax), 0.0f, static_cast<float>(az), static_cast<float>(bx), 0.0f,
                                   static_cast<float>(bz)});
    };
    for (int i = 0; i < columns; ++i)
        add(x0 + i * step, z0, x0 + i * step, z1);
    for (int i = 0; i < rows; ++i)
        add(x0, z0 + i * step, x1, z0 + i * step);
    gridLineCount_ = columns + rows;
    gridVertexCount_ = static_cast<int>(lines.size() / 3);
    gridBuffer_.bind();
    gridBuffer_.allocate(lines.data(), static_cast<int>(lines.size() * sizeof(float)));
    gridBuffer_.release();
}

QMatrix4x4 MeshView::viewMatrix() const
{
    const float yaw = qDegreesToRadians(yaw_);
    const float pitch = qDegreesToRadians(pitch_);
    const QVector3D eye = target_ + distance_ * QVector3D(std::sin(yaw) * std::cos(pitch), std::sin(pitch),
                                                          std::cos(yaw) * std::cos(pitch));
    QMatrix4x4 view;
    view.lookAt(eye, target_, QVector3D(0, 1, 0));
    return view;
}

void MeshView::paintGL()
{
    QElapsedTimer timer;
    timer.start();
    if (uploadPending_)
        upload();

    glClearColor(0.80f, 0.86f, 0.92f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);

    // Near and far planes that suit the object's size keep the depth exact.
    QMatrix4x4 projection;
    projection.perspective(45.0f, height() > 0 ? float(width()) / float(height()) : 1.0f,
                           std::max(distance_ / 500.0f, 0.01f), distance_ * 20.0f + 1000.0f);
    const QMatrix4x4 mvp = projection * viewMatrix();

    gridProgram_.bind();
    gridProgram_.setUniformValue("mvp", mvp);
    gridProgram_.setUniformValue("color", QVector4D(0.55f, 0.60f, 0.66f, 1.0f));
    gridBuffer_.bind();
    const int gridPosition = gridProgram_.attributeLocation("position");
    gridProgram_.enableAttributeArray(gridPosition);
    gridProgram_.setAttributeBuffer(gridPosition, GL_FLOAT, 0, 3, 3 * sizeof(float));
    glDrawArrays(GL_LINES, 0, gridVertexCount_);
    gridProgram_.disableAttributeArray(gridPosition);
    gridBuffer_.release();
    gridProgram_.release();

    meshProgram_.bind();
    meshProgram_.setUniformValue("mvp", mvp);
    meshProgram_.setUniformValue("lightDirection", QVector3D(-0.60f, 0.75f, 0.28f).normalized());
    meshProgram_.setUniformValue("bitmap", 0);
    const int position = meshProgram_.attributeLocation("position");
    const int normal = meshProgram_.attributeLocation("normal");
    const int color = meshProgram_.attributeLocation("color");
    const int texCoord = meshProgram_.attributeLocation("texCoord");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glFrontFace(GL_CCW);
    for (const auto& batch : gpu_) {
        // One-sided faces are seen from the front only, as in the simulator.
        if (batch->twoSided)
            glDisable(GL_CULL_FACE);
        else
            glEnable(GL_CULL_FACE);
        meshProgram_.setUniformValue("textured", batch->texture != nullptr);
        if (batch->texture)
            batch->texture->bind(0);
        batch->buffer.bind();
        const struct {
            int location;
            std::size_t offset;
            int size;
        } attributes[] = {
            {position, offsetof(DrawVertex, position), 3},
            {normal, offsetof(DrawVertex, normal), 3},
            {color, offsetof(DrawVertex, color), 4},
            {texCoord, offsetof(DrawVertex, texCoord), 2},
        };
        for (const auto& attribute : attributes) {
            meshProgram_.enableAttributeArray(attribute.location);
            meshProgram_.setAttributeBuffer(attribute.location, GL_FLOAT, static_cast<int>(attribute.offset),
                                            attribute.size, sizeof(DrawVertex));
        }
        glDrawArrays(GL_TRIANGLES, 0, batch->vertexCount);
        for (const auto& attribute : attributes)
            meshProgram_.disableAttributeArray(attribute.location);
        batch->buffer.release();
        if (batch->texture)
            batch->texture->release(0);
    }
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    meshProgram_.release();
    glFinish();
    lastFrameMs_ = static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void MeshView::mousePressEvent(QMouseEvent* event)
{
    lastMouse_ = event->position().toPoint();
}

void MeshView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint now = event->position().toPoint();
    const QPoint delta = now - lastMouse_;
    lastMouse_ = now;
    if (event->buttons() & Qt::LeftButton) {
        yaw_ -= static_cast<float>(delta.x()) * 0.4f;
        pitch_ = std::clamp(pitch_ + static_cast<float>(delta.y()) * 0.4f, -89.0f, 89.0f);
    } else if (event->buttons() & Qt::RightButton) {
        // Move the point looked at within the view plane.
        const QMatrix4x4 view = viewMatrix();
        const QVector3D right(view(0, 0), view(0, 1), view(0, 2));
        const QVector3D up(view(1, 0), view(1, 1), view(1, 2));
        const float scale = distance_ * 0.0015f;
        target_ += (-static_cast<float>(delta.x()) * right + static_cast<float>(delta.y()) * up) * scale;
    } else {
        return;
    }
    update();
}

void MeshView::wheelEvent(QWheelEvent* event)
{
    distance_ *= std::pow(0.9f, static_cast<float>(event->angleDelta().y()) / 120.0f);
    distance_ = std::clamp(distance_, 0.05f, 100000.0f);
    update();
}

}  // namespace kestrane::preview
