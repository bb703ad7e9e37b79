#pragma once

// Installs the camera seam on Qt Multimedia: the system's default video input.
void installMultimediaCamera();
