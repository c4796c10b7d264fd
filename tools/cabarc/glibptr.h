#pragma once

#include <glib-object.h>

#include <memory>
#include <string>

#include "cabarcerror.h"

// Owns a reference to a GObject and drops it at the end of its scope.
struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Throws what the GError says, after the given text, when a glib call has set it.
inline void ThrowIfFailed(GError* error, const std::string& what)
{
    if (error == nullptr)
        return;
    std::string message = what + ": " + error->message;
    g_error_free(error);
    throw CabarcError(message);
}
