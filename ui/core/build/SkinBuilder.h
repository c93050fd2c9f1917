#pragma once
// Turns a skin markup document into a control tree for a window context:
// applies the resource elements and the Window element's attributes to the
// context, then creates one control per element, nests them and applies
// each element's attributes in document order.
#include "ui/core/res/SkinMarkup.h"

#include <windows.h>

#include <string>

namespace SkinUI {

class CControlUI;
class CWindowContextUI;

// Asked for every element name the builder's class table does not know.
class IDialogBuilderCallback {
public:
    virtual CControlUI* BuildControl(const wchar_t* className) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

class CSkinBuilder {
public:
    // Deeper element nesting makes the build fail instead of exhausting the stack.
    static constexpr int kMaxNesting = 200;
    // Includes inside includes end here, so a document including itself cannot recurse forever.
    static constexpr int kMaxIncludeDepth = 16;
    // Include runs per build, all levels together, so repeat counts cannot run away.
    static constexpr int kMaxIncludeRuns = 4096;

    CSkinBuilder() = default;
    CSkinBuilder(const CSkinBuilder&) = delete;
    CSkinBuilder& operator=(const CSkinBuilder&) = delete;

    // `source` is a resource id (MAKEINTRESOURCE, read from the app module as
    // `resourceType`), markup text starting with '<', or a skin file name.
    // Returns the first top-level control, or none.
    CControlUI* Build(LPCWSTR source, LPCWSTR resourceType = nullptr, IDialogBuilderCallback* callback = nullptr,
                      CWindowContextUI* context = nullptr, CControlUI* parent = nullptr);
    // The same from the markup already loaded.
    CControlUI* BuildLoaded(IDialogBuilderCallback* callback = nullptr, CWindowContextUI* context = nullptr,
                            CControlUI* parent = nullptr);

    CSkinMarkup& Markup() { return m_markup; }
    const wchar_t* ErrorMessage() const { return m_markup.ErrorMessage(); }
    const wchar_t* ErrorLocation() const { return m_markup.ErrorLocation(); }

private:
    struct TBuildLimits {
        int includeRuns = 0;
    };

    bool Load(LPCWSTR source, LPCWSTR resourceType);
    CControlUI* BuildWithLimits(IDialogBuilderCallback* callback, CWindowContextUI* context, CControlUI* parent);
    // Creates the controls of `node`'s children; false when the build must fail.
    bool CreateChildren(const CSkinNode& node, CControlUI* parent, CWindowContextUI* context, int depth,
                        CControlUI*& first);
    bool CreateOne(const CSkinNode& child, CControlUI* parent, CWindowContextUI* context, int depth,
                   CControlUI*& created);
    void RunInclude(const CSkinNode& node, CControlUI* parent, CWindowContextUI* context, int depth);
    LPCWSTR ResourceType() const;
    CControlUI* NewControl(const wchar_t* elementName);

    CSkinMarkup m_markup;
    IDialogBuilderCallback* m_callback = nullptr;
    // The type the markup was read with; none for text or a file.
    bool m_hasResourceType = false;
    std::wstring m_resourceTypeName;
    WORD m_resourceTypeId = 0;
    // Shared with the builders of includes.
    TBuildLimits* m_limits = nullptr;
    int m_includeDepth = 0;
    // The element depth at which an include's controls join the tree.
    int m_baseDepth = 0;
};

} // namespace SkinUI
