#pragma once

#include "table/ClassTable.h"

#include <filesystem>

namespace lexaro {

// The dictionary a training runs on.
//
// It starts as the open dictionary: the main window's entry table, which this class never changes. When
// the user opens a unit that belongs to another dictionary, that dictionary is loaded into a table of the
// training's own, and the lists and the quiz read from it (Entries()). The open dictionary therefore stays
// in memory exactly as it was, with its unsaved changes, its modified flag and its file name, whatever
// happens during the training, and there is nothing to put back when the training ends or is left with
// "X"; the main window's undo log stays valid too.
//
// Intended use by the training set-up window:
//
//     TrainingDictionary dictionary(store.Entries(), currentDictionaryPath);
//     UnitLoadResult loaded = unit.LoadUnit(file);
//     switch (CheckDictionary(loaded, dictionary.Path(), fromStart)) {
//     case DictionaryAction::Load: if (!dictionary.Load(loaded.dictionary)) unit.ClearUnit(); break;
//     case DictionaryAction::Ask:  if (prompter says Yes) dictionary.Load(loaded.dictionary);
//                                  else unit.ClearUnit(); break;
//     case DictionaryAction::Keep: break;
//     }
//     ... lists and QuizSession use dictionary.Entries(); SaveUnit(file, dictionary.Path()) ...
class TrainingDictionary {
public:
    // The open dictionary and its path (empty for a dictionary without a file).
    TrainingDictionary(ClassTable& open, std::filesystem::path openPath);

    TrainingDictionary(const TrainingDictionary&) = delete;
    TrainingDictionary& operator=(const TrainingDictionary&) = delete;

    // The entry table to train on: the open one, or the dictionary loaded for a unit.
    ClassTable& Entries() { return m_Switched ? m_Other : m_Open; }
    const ClassTable& Entries() const { return m_Switched ? m_Other : m_Open; }
    // The path of that dictionary: what a saved unit names and what a loaded unit is compared with.
    const std::filesystem::path& Path() const { return m_Switched ? m_OtherPath : m_OpenPath; }
    // True while the training runs on a dictionary other than the open one.
    bool Switched() const { return m_Switched; }

    // Loads another dictionary file (read in the open dictionary's code page) to train on; the open
    // dictionary's own path goes back to the open dictionary. On failure the training stays on the
    // dictionary it had and the result is false.
    bool Load(const std::filesystem::path& path);

private:
    ClassTable& m_Open;
    std::filesystem::path m_OpenPath;
    ClassTable m_Other;
    std::filesystem::path m_OtherPath;
    bool m_Switched = false;
};

} // namespace lexaro
