#pragma once

#include <QByteArray>
#include <QPixmap>
#include <optional>

struct Controls;
class QWidget;

// Builds the picture panel Pic_dmsm with its close button C_gb and the image
// Image1; the panel stays hidden until the "胆码说明" button opens it.
void build_dan_picture_panel(QWidget *window, Controls &controls);

// Opens the panel over the window and shows the embedded picture, read and
// decoded afresh on every call.
void show_dan_picture(const Controls &controls);

// Decodes a complete image file held in memory; nothing when the bytes are
// not a picture. An empty array is reported with a message.
std::optional<QPixmap> load_picture_from_bytes(const QByteArray &bytes);
