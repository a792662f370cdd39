// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QWindow>

namespace {

// Quits the application, through its event loop, once the first window has
// been exposed: the window is then built, shown and painted.
class QuitOnShow : public QObject {
public:
    QuitOnShow() { QCoreApplication::instance()->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!quitting && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                quitting = true;
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), "quit", Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool quitting = false;
};

}

class QuitOnShowPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "quitonshow.json")

public:
    QObject* create(const QString& key, const QString&) override
    {
        if (key.compare(QLatin1String("vantorquitonshow"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new QuitOnShow;
    }
};

#include "quitonshow.moc"
