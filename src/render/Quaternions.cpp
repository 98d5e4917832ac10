#include "render/Quaternions.h"

namespace corvane {

TQuaternion QuatMultiply(const TQuaternion& a, const TQuaternion& b) {
    TQuaternion product;
    product.w = a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z;
    product.x = a.y * b.z - a.z * b.y + a.w * b.x + b.w * a.x;
    product.y = a.z * b.x - a.x * b.z + a.w * b.y + b.w * a.y;
    product.z = a.x * b.y - a.y * b.x + a.w * b.z + b.w * a.z;
    return product;
}

TQuaternion QuatConjugate(const TQuaternion& q) {
    return {-q.x, -q.y, -q.z, q.w};
}

float QuatNormSquared(const TQuaternion& q) {
    return q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
}

void QuatDivideByNormSquared(TQuaternion& q) {
    const float normSquared = QuatNormSquared(q);
    q.x /= normSquared;
    q.y /= normSquared;
    q.z /= normSquared;
    q.w /= normSquared;
}

TQuaternion QuatInverse(const TQuaternion& q) {
    TQuaternion inverse = QuatConjugate(q);
    QuatDivideByNormSquared(inverse);
    return inverse;
}

void QuatRotateVector(const TQuaternion& q, TVector3& v) {
    const TQuaternion rotated = QuatMultiply(QuatMultiply(q, {v.x, v.y, v.z, 0}), QuatInverse(q));
    v = {rotated.x, rotated.y, rotated.z};
}

}  // namespace corvane
