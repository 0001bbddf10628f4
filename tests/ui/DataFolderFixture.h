#pragma once

#include "MainWindowFixture.h"
#include "app/Storage.h"

#include <QFile>

namespace lexaro::testing {

// A main window started with a data folder of the test's own: the language list, language files, help
// pages and texts beside the program are whatever the test writes there.
struct DataFolderFixture : MainWindowFixture {
    std::filesystem::path data = std::filesystem::path(folder.path().toStdString()) / "data";

    DataFolderFixture() { std::filesystem::create_directories(data); }

    void Write(const std::string& name, const QByteArray& bytes) const {
        QFile file(QString::fromStdString((data / name).string()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString DataUrl(const std::string& name) const {
        return QUrl::fromLocalFile(QString::fromStdString((data / name).string())).toString();
    }
    void Start() {
        StartupStorage storage;
        storage.decision.programFolder = data;
        storage.decision.baseFolder = data;
        storage.programFile = data / "lexaro";
        storage.dataFolder = data;
        window->Start(storage, {}, data);
    }
};

} // namespace lexaro::testing
