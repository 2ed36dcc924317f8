#include "view/camera.h"

#include <cmath>

Camera camera;
float cameraDistance = 5.0f;

namespace {

// Rodrigues' rotation of v about the unit axis u. Each component is
// accumulated in single precision, one column at a time.
Vec3 rotated(const Vec3& v, const Vec3& u, double angle)
{
    const float c = static_cast<float>(std::cos(angle));
    const float s = static_cast<float>(std::sin(angle));
    const double t = 1.0 - c;
    const double x = u.x, y = u.y, z = u.z;

    const double m[3][3] = {
        {c + x * x * t, x * y * t - z * s, x * z * t + y * s},
        {y * x * t + z * s, c + y * y * t, y * z * t - x * s},
        {z * x * t - y * s, z * y * t + x * s, c + z * z * t},
    };
    float out[3];
    for (int row = 0; row < 3; ++row) {
        float sum = static_cast<float>(m[row][0] * v.x);
        sum = static_cast<float>(sum + m[row][1] * v.y);
        sum = static_cast<float>(sum + m[row][2] * v.z);
        out[row] = sum;
    }
    return {out[0], out[1], out[2]};
}

}  // namespace

void crossNormalized(const Vec3& a, const Vec3& b, Vec3& out)
{
    const float nx = static_cast<float>(static_cast<double>(a.y) * b.z - static_cast<double>(a.z) * b.y);
    const float ny = static_cast<float>(static_cast<double>(a.z) * b.x - static_cast<double>(a.x) * b.z);
    const float nz = static_cast<float>(static_cast<double>(a.x) * b.y - static_cast<double>(a.y) * b.x);
    const float lengthSquared = static_cast<float>(static_cast<double>(nx) * nx +
                                                   static_cast<double>(ny) * ny +
                                                   static_cast<double>(nz) * nz);
    const float length = static_cast<float>(std::sqrt(static_cast<double>(lengthSquared)));
    // Parallel (or degenerate) inputs have no normal: keep the old vector
    // rather than fill it with NaN.
    if (!(length > 0.0f) || !std::isfinite(length))
        return;
    out.x = static_cast<float>(nx / static_cast<double>(length));
    out.y = static_cast<float>(ny / static_cast<double>(length));
    out.z = static_cast<float>(nz / static_cast<double>(length));
}

Camera::Camera()
{
    direction = {0.0f, 0.0f, 1.0f};
    const double length = std::sqrt(static_cast<double>(direction.x) * direction.x +
                                    static_cast<double>(direction.y) * direction.y +
                                    static_cast<double>(direction.z) * direction.z);
    direction = {static_cast<float>(direction.x / length), static_cast<float>(direction.y / length),
                 static_cast<float>(direction.z / length)};
    target = {0.0f, 0.0f, 0.0f};
    right = {1.0f, 0.0f, 0.0f};
    up = {0.0f, 0.0f, 0.0f};
    crossNormalized(direction, right, up);
}

void Camera::rotateAroundUp(double angle)
{
    crossNormalized(up, direction, right);
    direction = rotated(direction, up, angle);
}

void Camera::rotateAroundRight(double angle)
{
    crossNormalized(direction, right, up);
    direction = rotated(direction, right, angle);
}

EyePosition eyePosition(const Camera& cam, float distance)
{
    return {cam.target.x + static_cast<double>(distance) * cam.direction.x,
            cam.target.y + static_cast<double>(distance) * cam.direction.y,
            cam.target.z + static_cast<double>(distance) * cam.direction.z};
}
