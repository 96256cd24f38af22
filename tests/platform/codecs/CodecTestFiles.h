#pragma once

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <lcms2.h>
#include <QtCore/QBuffer>
#include <QtGui/QColorSpace>
#include <QtGui/QImage>
#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <functional>
#include <vector>

// Files with colour profiles and metadata, made in the test with the same libraries
// the decoder reads them with.
namespace codectest {

inline std::vector<std::uint8_t> savedProfile(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<std::uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// Adobe RGB (1998): its primaries, D65 white and a gamma of 563/256.
inline std::vector<std::uint8_t> adobeRgbProfile() {
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsFreeToneCurve(gamma);
    return savedProfile(profile);
}

inline std::vector<std::uint8_t> srgbProfile() {
    return savedProfile(cmsCreate_sRGBProfile());
}

// A CMYK output profile whose inks, printed alone at full strength, show the given sRGB
// colours; inks multiply. Cyan like a press's: (0, 160, 230).
inline std::vector<std::uint8_t> pressProfile() {
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 2.1);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, const_cast<cmsCIEXYZ*>(cmsD50_XYZ()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(
        table,
        [](const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) -> cmsInt32Number {
            static const double inks[4][3] = {
                {0, 160 / 255.0, 230 / 255.0}, {0.9, 0, 0.55}, {1, 0.95, 0}, {0, 0, 0}};
            double rgb[3] = {1, 1, 1};
            for (int ink = 0; ink < 4; ++ink) {
                const double amount = in[ink] / 65535.0;
                for (int c = 0; c < 3; ++c) {
                    rgb[c] *= 1 - amount * (1 - inks[ink][c]);
                }
            }
            cmsCIELab colour;
            cmsDoTransform(static_cast<cmsHTRANSFORM>(cargo), rgb, &colour, 1);
            cmsFloat2LabEncodedV2(out, &colour);
            return TRUE;
        },
        toLab, 0);
    cmsPipelineInsertStage(pipeline, cmsAT_END, table);
    cmsWriteTag(profile, cmsSigAToB0Tag, pipeline);
    cmsPipelineFree(pipeline);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return savedProfile(profile);
}

// The encoded picture with its metadata as edit leaves it, written by Exiv2.
inline std::vector<std::uint8_t> edited(const std::vector<std::uint8_t>& encoded,
                                        const std::function<void(Exiv2::Image&)>& edit) {
    auto image = Exiv2::ImageFactory::open(encoded.data(), static_cast<long>(encoded.size()));
    image->readMetadata();
    edit(*image);
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf written = io.read(static_cast<long>(io.size()));
    return {written.pData_, written.pData_ + written.size_};
}

// The encoded picture with the profile embedded: by Qt into PNGs (Exiv2 writes their
// profile chunk without the name it must have), by Exiv2 into JPEGs.
inline std::vector<std::uint8_t> withProfile(const std::vector<std::uint8_t>& encoded,
                                             const std::vector<std::uint8_t>& profile) {
    if (encoded.size() > 1 && encoded[1] == 'P') {
        QImage image = QImage::fromData(encoded.data(), static_cast<int>(encoded.size()));
        image.setColorSpace(
            QColorSpace::fromIccProfile(QByteArray(reinterpret_cast<const char*>(profile.data()),
                                                   static_cast<qsizetype>(profile.size()))));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "png");
        return {bytes.begin(), bytes.end()};
    }
    return edited(encoded, [&](Exiv2::Image& image) {
        Exiv2::DataBuf buffer(profile.data(), static_cast<long>(profile.size()));
        image.setIccProfile(buffer);
    });
}

// A width × height CMYK JPEG of inks(x, y) → C, M, Y, K (0 no ink, 255 full), stored
// inverted under an Adobe marker, as Adobe's programs write them; the profile embedded
// when there is one.
inline std::vector<std::uint8_t> cmykJpeg(
    int width, int height, const std::function<std::array<std::uint8_t, 4>(int, int)>& inks,
    const std::vector<std::uint8_t>& profile = {}) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    if (!profile.empty()) {
        jpeg_write_icc_profile(&info, profile.data(), static_cast<unsigned int>(profile.size()));
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::array<std::uint8_t, 4> pixel = inks(x, y);
            for (int c = 0; c < 4; ++c) {
                row[static_cast<std::size_t>(x) * 4 + c] =
                    static_cast<std::uint8_t>(255 - pixel[c]);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

}  // namespace codectest
