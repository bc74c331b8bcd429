// A top-level library window built from its design values (form_design.h): the window, its
// child controls laid out by alignment, fonts scaled from 96 pixels per inch to the DPI of the
// window, and a creation handler that runs once while the window is built. A form class
// derives from Form, passes its design table, and overrides FormCreate and HandleMessage as it
// needs.
//
// The form keeps its window's DPI: the window's own at creation, then each DPI change's. At a
// change, fonts and places are made again from the design values, never from the current
// pixels, so that going back and forth loses nothing (form_scaling_win.cpp). Its texts come
// from the language files once, while it is created (form_texts_win.cpp).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/form_control_win.h"
#include "forms/form_design.h"
#include "frame/unique_resource_win.h"

namespace tessalin::forms {

class Form {
  public:
    // Builds the window, hidden, and runs the form's FormCreate. Throws when the window
    // cannot be made; nothing is left behind then.
    template <class T, class... Args>
    static std::unique_ptr<T> Create(Args&&... args) {
        std::unique_ptr<T> form(new T(std::forward<Args>(args)...));
        form->Build();
        return form;
    }

    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Null once the window is gone, also when something else destroyed it.
    HWND Window() const noexcept { return window_.get(); }

    // The child control of that design name; throws if the design has none.
    HWND Control(std::wstring_view name) const;

    // Shown in the normal state, which activates it, and brought to the top.
    void Show() const noexcept;

    // Moves and sizes the window to exactly this outer rectangle. A DPI change on the way (a
    // rectangle on a monitor of another DPI) rescales the contents and leaves the rectangle.
    // Afterwards the window's DPI is read again: in a host of mixed awareness Windows may
    // not tell the window of the change.
    void Place(int left, int top, int width, int height);

    // The DPI the form is laid out for.
    int Dpi() const noexcept { return dpi_; }

    // The DPI at which the rich edit of that design name draws text now.
    int TextDpiOf(std::wstring_view control) const { return ControlNamed(control).TextDpi(); }

  protected:
    explicit Form(const FormDesign& design) noexcept : design_(design) {}

    // Runs once while the window is built, after its controls exist and before Create
    // returns.
    virtual void FormCreate() {}

    // A form's own answer to a message; nothing leaves it to the common handling. Commands
    // of controls inside a panel arrive here as well.
    virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's font at a DPI; the design font unless the form chooses another.
    virtual UniqueGdiObject CreateFormFont(int dpi);

    // Runs after fonts and places have been made again: for a change of DPI, or of the fonts
    // the user chose in Windows' settings.
    virtual void Rescaled() {}

    // Makes fonts and places again from the design values for `dpi`, if it is another one.
    void ApplyDpi(int dpi);

    // The DPI that a WM_DPICHANGED with this wParam brings the window to.
    int DpiOfChange(WPARAM wParam) const noexcept;

    // Puts the texts of the language file for `language` on the window and its controls.
    void Localize(std::uint32_t language);

  private:
    void Build();
    void CreateControl(const ControlDesign& control);
    std::size_t IndexOf(std::wstring_view name) const;
    FormControl& ControlNamed(std::wstring_view name) const;
    void LayOut() const;
    std::optional<LRESULT> HandleCommonMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;

    void Rescale();
    void SetFormFont(UniqueGdiObject font) noexcept;
    std::optional<LRESULT> HandleScalingMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const FormDesign& design_;
    int dpi_ = kDesignDpi;
    bool placing_ = false;
    UniqueGdiObject background_;
    UniqueGdiObject font_;
    std::vector<std::unique_ptr<FormControl>> controls_;  // in design order, panels' included
    std::vector<FormControl*> formControls_;              // those whose parent is the form
    UniqueWindow window_;  // last: destroyed before the fonts and brush it uses
};

}  // namespace tessalin::forms
