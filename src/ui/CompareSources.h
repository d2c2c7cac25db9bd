#pragma once

#include "dataset/DataSet.h"

#include <QString>
#include <optional>

namespace zoz {

// What the compare window compares and where its rows go; the editor's history implements it.
class CompareSources {
public:
    virtual ~CompareSources() = default;

    virtual DataSet editorSet() const = 0;
    // The controller's copy, its description and its column header, nothing while unknown.
    virtual std::optional<DataSet> controllerSet(QString* title, QString* header) = 0;
    // A data file chosen by the user ("" on cancel) and its reading, which reports a file it
    // cannot take itself (a version conflict for a wrong length).
    virtual QString chooseFile() = 0;
    virtual std::optional<DataSet> readFile(const QString& path) = 0;
    // Puts the set into the editor as one step.
    virtual void takeIntoEditor(const DataSet& set) = 0;
    // Sends the set as the data set, the user's question included.
    virtual void sendToController(const DataSet& set) = 0;
};

} // namespace zoz
