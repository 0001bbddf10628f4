#include "training/TrainingDictionary.h"

#include "engine/EntryStore.h"
#include "table/ForeignDictionary.h"

#include <utility>

namespace lexaro {

TrainingDictionary::TrainingDictionary(ClassTable& open, std::filesystem::path openPath)
    : m_Open(open), m_OpenPath(std::move(openPath)) {}

bool TrainingDictionary::Load(const std::filesystem::path& path) {
    // A unit of the open dictionary trains on it as it is in memory, unsaved changes included.
    if (!path.empty() && path.native() == m_OpenPath.native()) {
        m_Switched = false;
        m_Other = ClassTable();
        m_OtherPath.clear();
        return true;
    }
    ClassTable loaded;
    loaded.SetCharset(m_Open.Charset());
    loaded.SetSeparator(m_Open.Separator());
    const bool read = ForeignFormOf(path) != ForeignForm::None ? ReadForeignDictionary(path, loaded).complete
                                                               : loaded.LoadDocumentFile(path);
    if (!read) {
        return false;
    }
    // Entries always have their three columns, whatever the file announced.
    loaded.Resize(kEntryColumns, loaded.RowCount());
    loaded.SetModified(false);
    m_Other = std::move(loaded);
    m_OtherPath = path;
    m_Switched = true;
    return true;
}

} // namespace lexaro
