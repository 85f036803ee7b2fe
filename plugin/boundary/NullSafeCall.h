// How every table of plain functions in the plug-in is called: an entry a table leaves null is an
// operation nobody offers, and calling it does nothing and answers the result type's zero.
#pragma once

template <typename Result, typename... Parameters, typename... Arguments>
Result callBridge(Result (*entry)(Parameters...), Arguments... arguments) {
    return entry != nullptr ? entry(arguments...) : Result();
}
