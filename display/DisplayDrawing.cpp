#include "display/DisplayDrawing.h"

#include "display/GraphicsBridges.h"
#include "display/ImageBridges.h"

DrawingBridges displayDrawingBridges() {
    DrawingBridges table{};
    table.setSmoothing = contextSetSmoothing;
    table.setFontColor = contextSetFontColor;
    table.setFillColor = contextSetFillColor;
    table.setFrameColor = contextSetFrameColor;
    table.textWidth = contextTextWidth;
    table.moveTo = contextMoveTo;
    table.lineTo = contextLineTo;
    table.drawRect = contextDrawRect;
    table.drawEllipse = contextDrawEllipse;
    table.drawTextInRect = contextDrawTextInRect;
    table.selectFont = contextSelectFont;
    table.imageCreate = imageCreate;
    table.imageRelease = imageRelease;
    table.imageLoadResource = imageLoadResource;
    table.imageLoadFile = imageLoadFile;
    table.imageWidth = imageWidth;
    table.imageHeight = imageHeight;
    table.imageDraw = imageDraw;
    return table;
}
