// SPDX-License-Identifier: GPL-3.0-or-later
// A Qt generic plugin, loaded into any Qt program through
// QT_QPA_GENERIC_PLUGINS=vantorquitonshow, that quits the application once its
// first window has been exposed: built, shown and painted. A program that has
// not done so within ten seconds is ended by SIGALRM, so that it fails.
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QWindow>

#include <unistd.h>

namespace {

class QuitOnShow : public QObject {
public:
    QuitOnShow()
    {
        alarm(10);
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!quitting && event->type() == QEvent::Expose && window && window->isExposed()) {
            quitting = true;
            QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
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
    QObject* create(const QString&, const QString&) override { return new QuitOnShow; }
};

#include "quitonshow.moc"
