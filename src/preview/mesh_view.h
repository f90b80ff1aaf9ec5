// The OpenGL view of a B3D object: faces shaded by a fixed light, in their
// colour or with their texture bitmap, one-sided faces from the front only,
// a ground grid; orbit with the left mouse button, pan with the right one,
// zoom with the wheel.
#pragma once

#include "b3d/mesh_batches.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLWidget>
#include <QPoint>
#include <QVector3D>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrane::preview {

class MeshView : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT

public:
    explicit MeshView(QWidget* parent = nullptr);
    ~MeshView() override;

    // Shows `batches`; `folder` is where texture bitmaps are looked up,
    // `builtIns` the pictures of texture names whose bitmap is missing there.
    // The buffers are uploaded once, at the next paint.
    void setMesh(MeshBatches batches, const QString& folder, std::map<std::string, QImage> builtIns = {});
    // Looks at the whole object from the front left, a little from above.
    void resetView();

    // How long the last paint took, in milliseconds.
    double lastFrameMilliseconds() const { return lastFrameMs_; }
    // The lines of the ground grid, both ways.
    int gridLineCount() const { return gridLineCount_; }

    // The most lines of the ground grid each way.
    static constexpr int kMostGridLines = 200;

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct GpuBatch {
        QOpenGLBuffer buffer{QOpenGLBuffer::VertexBuffer};
        int vertexCount = 0;
        bool twoSided = false;
        std::unique_ptr<QOpenGLTexture> texture;
    };

    void upload();
    void releaseGpu();
    void buildGrid();
    QMatrix4x4 viewMatrix() const;

    MeshBatches pending_;
    bool uploadPending_ = false;
    QString folder_;
    std::map<std::string, QImage> builtIns_;
    std::vector<std::unique_ptr<GpuBatch>> gpu_;
    QOpenGLShaderProgram meshProgram_;
    QOpenGLShaderProgram gridProgram_;
    QOpenGLBuffer gridBuffer_{QOpenGLBuffer::VertexBuffer};
    int gridVertexCount_ = 0;
    int gridLineCount_ = 0;

    Bounds bounds_;
    QVector3D target_;
    float yaw_ = 0;     // degrees about the vertical axis
    float pitch_ = 0;   // degrees above the horizon
    float distance_ = 10;
    QPoint lastMouse_;
    double lastFrameMs_ = 0;
};

}  // namespace kestrane::preview
