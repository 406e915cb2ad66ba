#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

// What the tests of the built tessaly-cli share: the program run with its
// per-user settings in a temporary directory, and files written beside them.
class TCliTestBase : public QObject {
    Q_OBJECT
protected:
    struct TRun {
        int exit = -1;
        QByteArray out;
        QString err;
        QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
    };

    // Makes the temporary directory and its settings folder; false when it cannot.
    bool PrepareDirectory();
    TRun Cli(const QStringList &arguments);
    QString Demo() const { return QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy"); }
    QString WriteFile(const QString &name, const QByteArray &content);
    // The lines of an output, without the empty one after its last newline.
    static QStringList Lines(const QByteArray &text);

    QTemporaryDir m_dir;
};
