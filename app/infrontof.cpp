#include "app/infrontof.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// Hands the owner to the native window between its creation and its showing, when the platform
// reads it.
class OwnerOnShow : public QObject {
public:
    OwnerOnShow(QWidget* window, const QWidget* owner) : QObject(window), owner(owner) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && owner) {
            static_cast<QWidget*>(watched)->windowHandle()->setTransientParent(
                owner->window()->windowHandle());
        }
        return false;
    }

private:
    QPointer<const QWidget> owner;
};

}  // namespace

void keepInFrontOf(QWidget* window, const QWidget* owner) {
    new OwnerOnShow(window, owner);
}
