// Render Selection to Video... (command 32920): asks where the film goes and at what rate,
// films the selection with a progress dialog that can cancel it, and says how it went.
// Without ffmpeg it says so and offers the pictures as PNG files in a folder instead.
#pragma once

class CPreviewDriver;
class CTreskView;
class QWidget;
struct PreviewOptions;

void RenderSelectionToVideo(QWidget* parent, CTreskView& view, CPreviewDriver& driver,
                            const PreviewOptions& options);
