// Image table, drawing state and drawing operations of a script effect. The operations read the
// state variables, convert them and call the graphics bridges on the adapter's paint in progress;
// outside a paint they draw nothing but still move the position as they would.
#pragma once

#include <map>
#include <string>

#include "runtime/QuillFonts.h"

struct ImageHolder;  // a reference-counted bitmap behind the image bridges

struct ImageSlot {
    ImageHolder* holder = nullptr;
    double width = 0.0;
    double height = 0.0;
};

class CQuillGraphics : public CQuillFonts {
  public:
    ~CQuillGraphics() override;

    // Each operation answers 0.0 except FormatString. GUI thread.
    double FillRect(double x, double y, double w, double h);
    double DrawLine(double x1, double y1, double x2, double y2, double antialias);
    double LineTo(double x, double y, double antialias);
    double DrawCircle(double x, double y, double r, double fill, double antialias);
    // Scale and rotation are accepted for script compatibility and ignored.
    double DrawImage(double slot, double scale, double rotation, double srcX, double srcY);
    double DrawText(double id);

    // printf-style formatting into string dest (see runtime/StringFormatting.h); answers dest.
    template <typename... Values>
    double FormatString(double dest, double format, Values... values) {
        const double list[] = {0.0, static_cast<double>(values)...};
        return formatInto(dest, format, list + 1, sizeof...(values));
    }

    // The slot's record, loading its image on first use: embedded resource first, then the registered
    // file name beside the plug-in; a failure is logged and retried on the next use. GUI thread.
    ImageSlot& ResolveImage(int32_t slot);
    // Releases every slot's image through the drawing bridges that made it; the slots load again on
    // their next use. GUI thread, or whichever thread destroys the effect.
    void ReleaseImages();

    // The drawing state of the paint in progress: GUI thread only.
    std::map<int32_t, ImageSlot> images;
    double gfxX = 0.0;
    double gfxY = 0.0;
    double gfxWidth = 0.0;  // surface size of the frame being drawn
    double gfxHeight = 0.0;
    // Also set by the init section, which runs on the dispatcher thread (a state load may run it).
    SharedDouble gfxRate = 0.0;  // timed refresh in frames per second; 0 or less: none
    // Current colour, each nominally 0..1.
    SharedDouble gfxR = 0.0;
    SharedDouble gfxG = 0.0;
    SharedDouble gfxB = 0.0;
    SharedDouble gfxA = 0.0;

  private:
    double formatInto(double dest, double format, const double* values, size_t count);
    void applyFillColor();
    void applyFrameColor();
    void applyFontColor();
    void drawErrorBox(double left, double top, double right, double bottom);
};
