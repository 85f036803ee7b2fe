// Image holders behind the effect's image slots: plain functions on an opaque holder.
#pragma once

struct ImageHolder;

// Releases the holder's bitmap and frees the holder; null is ignored. GUI or dispatcher thread.
int imageRelease(ImageHolder* holder);
