#include "platform/ui/animation/TransformDecomposition.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

using Matrix = std::array<std::array<double, 4>, 4>;
using Vector3 = std::array<double, 3>;

Matrix toMatrix(const CATransform3D& t) {
    return {{{t.m11, t.m12, t.m13, t.m14},
             {t.m21, t.m22, t.m23, t.m24},
             {t.m31, t.m32, t.m33, t.m34},
             {t.m41, t.m42, t.m43, t.m44}}};
}

CATransform3D toTransform(const Matrix& m) {
    return {m[0][0], m[0][1], m[0][2], m[0][3], m[1][0], m[1][1], m[1][2], m[1][3],
            m[2][0], m[2][1], m[2][2], m[2][3], m[3][0], m[3][1], m[3][2], m[3][3]};
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix p{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            for (int k = 0; k < 4; ++k) {
                p[i][j] += a[i][k] * b[k][j];
            }
        }
    }
    return p;
}

Matrix identityMatrix() {
    return toMatrix(CATransform3D::identity());
}

double determinant3(const Matrix& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

double length(const Vector3& v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

double dot(const Vector3& a, const Vector3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// a·wa + b·wb.
Vector3 combine(const Vector3& a, const Vector3& b, double wa, double wb) {
    return {a[0] * wa + b[0] * wb, a[1] * wa + b[1] * wb, a[2] * wa + b[2] * wb};
}

Vector3 scaled(const Vector3& v, double factor) {
    return combine(v, v, factor, 0);
}

// The perspective row p with p·M = (m14, m24, m34, m44) of the matrix whose
// perspective column was cleared: solved by Cramer's rule on the 4×4 system.
std::optional<std::array<double, 4>> solvePerspective(const Matrix& matrix) {
    Matrix cleared = matrix;
    for (int i = 0; i < 3; ++i) {
        cleared[i][3] = 0;
    }
    cleared[3][3] = 1;
    // The perspective row satisfies cleared · pᵀ = column 4 of the matrix.
    const std::array<double, 4> column{matrix[0][3], matrix[1][3], matrix[2][3], matrix[3][3]};
    auto det4 = [](const Matrix& m) {
        double total = 0;
        for (int c = 0; c < 4; ++c) {
            Matrix minor{};
            for (int i = 1; i < 4; ++i) {
                int k = 0;
                for (int j = 0; j < 4; ++j) {
                    if (j != c) {
                        minor[i - 1][k++] = m[i][j];
                    }
                }
            }
            total += ((c % 2) ? -1.0 : 1.0) * m[0][c] * determinant3(minor);
        }
        return total;
    };
    const double det = det4(cleared);
    if (det == 0) {
        return std::nullopt;
    }
    std::array<double, 4> perspective{};
    for (int c = 0; c < 4; ++c) {
        Matrix replaced = cleared;
        for (int i = 0; i < 4; ++i) {
            replaced[i][c] = column[i];
        }
        perspective[c] = det4(replaced) / det;
    }
    return perspective;
}

// The unit quaternion (x, y, z, w) of a rotation matrix, w ≥ 0, computed from its
// largest component so that nearly zero ones keep their precision.
std::array<double, 4> quaternionOf(const std::array<Vector3, 3>& r) {
    const double trace = r[0][0] + r[1][1] + r[2][2];
    std::array<double, 4> q;
    if (trace > 0) {
        const double s = 0.5 / std::sqrt(trace + 1);
        q = {(r[2][1] - r[1][2]) * s, (r[0][2] - r[2][0]) * s, (r[1][0] - r[0][1]) * s, 0.25 / s};
    } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
        const double s = 2 * std::sqrt(1 + r[0][0] - r[1][1] - r[2][2]);
        q = {0.25 * s, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s, (r[2][1] - r[1][2]) / s};
    } else if (r[1][1] > r[2][2]) {
        const double s = 2 * std::sqrt(1 + r[1][1] - r[0][0] - r[2][2]);
        q = {(r[0][1] + r[1][0]) / s, 0.25 * s, (r[1][2] + r[2][1]) / s, (r[0][2] - r[2][0]) / s};
    } else {
        const double s = 2 * std::sqrt(1 + r[2][2] - r[0][0] - r[1][1]);
        q = {(r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, 0.25 * s, (r[1][0] - r[0][1]) / s};
    }
    if (q[3] < 0) {
        for (double& component : q) {
            component = -component;
        }
    }
    return q;
}

}  // namespace

std::optional<TransformDecomposition> TransformDecomposition::decompose(
    const CATransform3D& transform) {
    Matrix matrix = toMatrix(transform);
    if (matrix[3][3] == 0) {
        return std::nullopt;
    }
    const double normaliser = matrix[3][3];
    for (auto& row : matrix) {
        for (double& value : row) {
            value /= normaliser;
        }
    }
    if (determinant3(matrix) == 0) {
        return std::nullopt;
    }

    TransformDecomposition parts;
    if (matrix[0][3] != 0 || matrix[1][3] != 0 || matrix[2][3] != 0) {
        const auto perspective = solvePerspective(matrix);
        if (!perspective) {
            return std::nullopt;
        }
        parts.perspective = *perspective;
    }
    for (int i = 0; i < 3; ++i) {
        parts.translation[i] = matrix[3][i];
    }

    std::array<Vector3, 3> row;
    for (int i = 0; i < 3; ++i) {
        row[i] = {matrix[i][0], matrix[i][1], matrix[i][2]};
    }
    parts.scale[0] = length(row[0]);
    row[0] = scaled(row[0], 1 / parts.scale[0]);
    parts.skew[0] = dot(row[0], row[1]);
    row[1] = combine(row[1], row[0], 1, -parts.skew[0]);
    parts.scale[1] = length(row[1]);
    if (parts.scale[1] == 0) {
        return std::nullopt;
    }
    row[1] = scaled(row[1], 1 / parts.scale[1]);
    parts.skew[0] /= parts.scale[1];
    parts.skew[1] = dot(row[0], row[2]);
    row[2] = combine(row[2], row[0], 1, -parts.skew[1]);
    parts.skew[2] = dot(row[1], row[2]);
    row[2] = combine(row[2], row[1], 1, -parts.skew[2]);
    parts.scale[2] = length(row[2]);
    if (parts.scale[2] == 0) {
        return std::nullopt;
    }
    row[2] = scaled(row[2], 1 / parts.scale[2]);
    parts.skew[1] /= parts.scale[2];
    parts.skew[2] /= parts.scale[2];

    // A mirrored coordinate system: fold the mirror into the scale.
    if (dot(row[0], cross(row[1], row[2])) < 0) {
        for (int i = 0; i < 3; ++i) {
            parts.scale[i] = -parts.scale[i];
            row[i] = scaled(row[i], -1);
        }
    }

    parts.quaternion = quaternionOf(row);
    return parts;
}

CATransform3D TransformDecomposition::recompose() const {
    Matrix matrix = identityMatrix();
    for (int i = 0; i < 4; ++i) {
        matrix[i][3] = perspective[i];
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 3; ++j) {
            matrix[3][i] += translation[j] * matrix[j][i];
        }
    }

    const double x = quaternion[0];
    const double y = quaternion[1];
    const double z = quaternion[2];
    const double w = quaternion[3];
    Matrix rotation = identityMatrix();
    rotation[0][0] = 1 - 2 * (y * y + z * z);
    rotation[0][1] = 2 * (x * y - z * w);
    rotation[0][2] = 2 * (x * z + y * w);
    rotation[1][0] = 2 * (x * y + z * w);
    rotation[1][1] = 1 - 2 * (x * x + z * z);
    rotation[1][2] = 2 * (y * z - x * w);
    rotation[2][0] = 2 * (x * z - y * w);
    rotation[2][1] = 2 * (y * z + x * w);
    rotation[2][2] = 1 - 2 * (x * x + y * y);
    matrix = multiply(rotation, matrix);

    const std::array<std::pair<int, int>, 3> skewEntries{{{2, 1}, {2, 0}, {1, 0}}};
    const std::array<double, 3> skewValues{skew[2], skew[1], skew[0]};
    for (int k = 0; k < 3; ++k) {
        if (skewValues[k] != 0) {
            Matrix shear = identityMatrix();
            shear[skewEntries[k].first][skewEntries[k].second] = skewValues[k];
            matrix = multiply(shear, matrix);
        }
    }

    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            matrix[i][j] *= scale[i];
        }
    }
    return toTransform(matrix);
}

TransformDecomposition TransformDecomposition::interpolate(const TransformDecomposition& from,
                                                           const TransformDecomposition& to,
                                                           double progress) {
    auto lerp = [progress](double a, double b) { return a + (b - a) * progress; };
    TransformDecomposition parts;
    for (int i = 0; i < 4; ++i) {
        parts.perspective[i] = lerp(from.perspective[i], to.perspective[i]);
    }
    for (int i = 0; i < 3; ++i) {
        parts.translation[i] = lerp(from.translation[i], to.translation[i]);
        parts.skew[i] = lerp(from.skew[i], to.skew[i]);
        parts.scale[i] = lerp(from.scale[i], to.scale[i]);
    }

    double product = 0;
    for (int i = 0; i < 4; ++i) {
        product += from.quaternion[i] * to.quaternion[i];
    }
    product = std::clamp(product, -1.0, 1.0);
    if (std::abs(product) == 1.0) {
        parts.quaternion = from.quaternion;
        return parts;
    }
    const double theta = std::acos(product);
    const double w = std::sin(progress * theta) / std::sqrt(1 - product * product);
    const double fromWeight = std::cos(progress * theta) - product * w;
    for (int i = 0; i < 4; ++i) {
        parts.quaternion[i] = from.quaternion[i] * fromWeight + to.quaternion[i] * w;
    }
    return parts;
}
