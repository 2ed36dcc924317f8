#pragma once

struct Vec3 {
    float x, y, z;
};

// An orbit camera: a unit direction from the target toward the eye, with up
// and right vectors that trail the direction by one turn.
class Camera {
public:
    Vec3 target;
    Vec3 direction;
    Vec3 up;
    Vec3 right;

    Camera();
    void rotateAroundUp(double angle);
    void rotateAroundRight(double angle);
};

// out = normalised a x b; out is left unchanged when a and b are parallel.
void crossNormalized(const Vec3& a, const Vec3& b, Vec3& out);

struct EyePosition {
    double x, y, z;
};

// target + cameraDistance * direction, in double precision.
EyePosition eyePosition(const Camera& cam, float distance);

extern Camera camera;
extern float cameraDistance;
