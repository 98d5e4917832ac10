#pragma once

namespace corvane {

// Quaternion arithmetic of the 3D preview, in single precision throughout so
// that posed meshes come out the same on every machine. w is the scalar part.
// A quaternion need not have unit length: the rotation uses the exact inverse,
// so scaling a quaternion by any non-zero factor leaves its rotation unchanged.

struct TVector3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

struct TQuaternion {
    float x = 0;
    float y = 0;
    float z = 0;
    float w = 0;
};

// The Hamilton product a·b.
TQuaternion QuatMultiply(const TQuaternion& a, const TQuaternion& b);

// (−x, −y, −z, w).
TQuaternion QuatConjugate(const TQuaternion& q);

// x² + y² + z² + w², no square root.
float QuatNormSquared(const TQuaternion& q);

// Divides each component by the squared norm q had before the call.
void QuatDivideByNormSquared(TQuaternion& q);

// The conjugate divided by the squared norm: the exact inverse of any non-zero q.
TQuaternion QuatInverse(const TQuaternion& q);

// v := vector part of q · (v, 0) · q⁻¹.
void QuatRotateVector(const TQuaternion& q, TVector3& v);

}  // namespace corvane
