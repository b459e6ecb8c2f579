#pragma once

class QPagedPaintDevice;
class QPainter;
struct TComposedJob;
struct TComposedPage;

// Paints one composed page with `painter` at `pixelsPerMm` device pixels per
// millimetre, the paper's top left corner at the painter's origin.
void PaintPage(QPainter& painter, const TComposedPage& page, double pixelsPerMm);

// Sets the device to the job's paper without margins and paints every page
// (a PDF writer, or a printer set to its full page). Throws TSaporiaError
// when painting cannot start on the device.
void RenderJob(const TComposedJob& job, QPagedPaintDevice& device);
