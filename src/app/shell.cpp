#include "app/shell.h"

#include "core/user.h"

namespace dravo {

ShellState &Shell() {
    static ShellState state = [] {
        ShellState s;
        s.lists = NewListsBody();
        return s;
    }();
    return state;
}

} // namespace dravo
