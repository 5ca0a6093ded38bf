// Takes files dropped on a widget: the first local file or folder goes to a callback.
#pragma once

#include <QObject>

#include <functional>

class QMimeData;
class QWidget;

namespace vantrelo {

class TFileDrop final : public QObject {
public:
    // Accepts drops of local files on `target` (which it watches) and hands on the first path.
    TFileDrop(QWidget* target, std::function<void(const QString& path)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::function<void(const QString&)> dropped_;
};

// The first local file or folder of a drag's data; empty when it carries none.
QString FirstDroppedPath(const QMimeData* data);

} // namespace vantrelo
