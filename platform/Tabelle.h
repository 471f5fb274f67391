#pragma once

#include <cstddef>

// Whether each row of a table keyed by an enum stands at the index of its key, so that the
// table can be read by key: for static_assert beside the table.
template <class Tabella, class Riga, class Chiave>
constexpr bool perChiave(const Tabella &tabella, Chiave Riga::*chiave)
{
    for (std::size_t i = 0; i < tabella.size(); ++i)
        if (static_cast<std::size_t>(tabella[i].*chiave) != i)
            return false;
    return true;
}
