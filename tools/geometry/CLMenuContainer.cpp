#include "tools/geometry/CLMenuContainer.h"

CLMenuContainer CLMenuContainer::make(CLEditorServices& editor, double sideWidth,
                                      double sideAlpha) {
    const UIScrollViewPtr editorStrip = editor.menuView();
    CLMenuContainer menu;
    menu.view = std::make_shared<UIView>(editorStrip->frame());
    menu.view->setBackgroundColor(editorStrip->backgroundColor());
    editor.view()->addSubview(menu.view);

    const CGSize size = menu.view->bounds().size;
    menu.strip = std::make_shared<UIScrollView>(CGRect{0, 0, size.width - sideWidth, size.height});
    menu.strip->setBackgroundColor(UIColor::clearColor());
    menu.strip->setShowsHorizontalScrollIndicator(false);
    menu.strip->setClipsToBounds(false);
    menu.view->addSubview(menu.strip);
    if (sideWidth > 0) {
        menu.sideArea =
            std::make_shared<UIView>(CGRect{menu.strip->frame().maxX(), 0, sideWidth, size.height});
        menu.sideArea->setBackgroundColor(
            menu.view->backgroundColor().colorWithAlphaComponent(sideAlpha));
        menu.view->addSubview(menu.sideArea);
    }
    return menu;
}
