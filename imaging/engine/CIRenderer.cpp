#include "imaging/engine/CIRenderer.h"

#include "imaging/operations/BitmapConversion.h"
#include "imaging/operations/BitmapRecycler.h"

CIPixels CIRenderer::render(const CIImage& image) {
    const CIImage::Application* application = image.application();
    if (!application) {
        const CGImageRef& bitmap = image.bitmap();
        if (bitmap->format() == CGPixelFormat::Grey8) {
            return {BitmapConversion::toPremultipliedARGB(*bitmap), image.extent()};
        }
        return {bitmap, image.extent()};
    }
    if (application->filter->isPointFilter()) {
        return renderPointRun(image);
    }
    const CIPixels input = render(*application->input);
    if (!input.bitmap) {
        return {};
    }
    note(*application);
    return {application->filter->render(input, image.extent(), application->parameters),
            image.extent()};
}

CIPixels CIRenderer::renderPointRun(const CIImage& image) {
    std::vector<const CIImage::Application*> run;
    const CIImage* base = &image;
    while (base->application() && base->application()->filter->isPointFilter()) {
        run.push_back(base->application());
        base = base->application()->input.get();
    }
    const CIPixels input = render(*base);
    if (!input.bitmap) {
        return {};
    }
    ColorProgram program;
    for (auto step = run.rbegin(); step != run.rend(); ++step) {
        program = program.then((*step)->filter->program((*step)->parameters));
        note(**step);
    }
    auto output = BitmapRecycler::create(input.bitmap->width(), input.bitmap->height());
    if (!output) {
        return {};
    }
    program.apply(*input.bitmap, *output);
    return {std::move(output), input.extent};
}

void CIRenderer::note(const CIImage::Application& application) {
    used_.push_back({application.filter->name, application.parameters.values()});
}
