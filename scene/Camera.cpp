// The camera and its one global instance, built before anything else runs.
#include "scene/Camera.h"

#include "platform/GL.h"

Camera camera;

Camera::Camera() : eye{0.0f, 0.0f, 0.0f}, center{0.0f, 0.0f, 0.0f}, up{0.0f, 1.0f, 0.0f} {}

Camera::~Camera() = default;

void Camera::look() {
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, up.x, up.y, up.z);
}
