#include "import/library_import.h"

#include "import/text_importer.h"

#include <utility>

namespace dravo::import {

library::ImportConverter LibraryImportConverter(const library::FolderStore &store,
                                                std::string place,
                                                std::function<void(std::string_view)> show) {
    return [&store, place = std::move(place), show = std::move(show)](const std::string &source,
                                                                      const std::string &name) {
        const std::string target = store.ElementPath(library::FileFolder::Templates, name);
        const ImportOutcome out = ImportTextFile(source, target, name, place);
        if (show)
            for (const std::string &m : out.messages)
                show(m);
        if (out.done)
            return library::Conversion::Done;
        // A recognised text that could not be stored has had its message: it is no less a
        // contract for that.
        return out.refused || out.recognised ? library::Conversion::Refused
                                             : library::Conversion::NotRecognised;
    };
}

} // namespace dravo::import
