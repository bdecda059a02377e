#include "foundation/dd_base.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/text_util.h"

namespace {
// Indentation depth while saving; one document is saved at a time.
int g_depth = 0;

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '-'; }

// Values are written with "\" and "<" escaped so they read back identical.
std::string EscapeValue(const char* v) {
    std::string out;
    for (; *v; ++v) {
        if (*v == '\\' || *v == '<') out.push_back('\\');
        out.push_back(*v);
    }
    return out;
}

// The reader drops a byte 0xFF together with the byte after it, whatever
// stands before it.
bool HasStopByte(const ddString& text) {
    for (const char* p = text.c_str(); p && *p; ++p)
        if (static_cast<unsigned char>(*p) == 0xFF) return true;
    return false;
}

// Whether the reader gives the node back as written. Names are read as they
// stand up to the ">" and closing tags are skipped up to the next "<", so a
// name cannot hold "<" or ">"; a child's name cannot be empty or begin with
// "/" either (both would be read as another tag).
bool Writable(const ddBase& node, bool isRoot) {
    const ddString& name = node.Name();
    const char* n = name.c_str() ? name.c_str() : "";
    if (std::strpbrk(n, "<>") || HasStopByte(name) || HasStopByte(node.Value())) return false;
    return isRoot || (*n != '\0' && *n != '/');
}
}  // namespace

ddBase::ddBase(const char* n, const char* v) : root(this), cursor(this) {
    name = n;
    value = v;
    childPos = children.begin();
}

ddBase::~ddBase() { DeleteChildren(); }

void ddBase::AddChild(const char* n, const char* v) {
    ddBase* node = new ddBase(n, v);
    ddBase* at = root->cursor;
    node->root = root;
    node->cursor = nullptr;
    node->parent = at;
    at->children.push_back(node);
}

void ddBase::DeleteChildren() {
    // Without recursion, so a deeply nested file cannot exhaust the stack.
    std::vector<ddBase*> doomed(children.begin(), children.end());
    children.clear();
    childPos = children.begin();
    while (!doomed.empty()) {
        ddBase* node = doomed.back();
        doomed.pop_back();
        doomed.insert(doomed.end(), node->children.begin(), node->children.end());
        node->children.clear();
        delete node;
    }
}

void ddBase::RemoveCurrent() {
    ddBase* cur = root->cursor;
    if (!cur || cur == root) return;
    ddBase* p = cur->parent;
    if (p) {
        p->children.remove(cur);
        p->childPos = p->children.begin();
    }
    delete cur;
    root->cursor = root;
}

void ddBase::Remove(const char* n) {
    if (FindNode(n)) RemoveCurrent();
}

int ddBase::Load(const char* path) {
    std::string text;
    if (!path || !ReadWholeFile(path, text)) return 0;
    DeleteChildren();
    StripCommentBlocks(text);
    Parse(text.c_str(), text.size());
    root->childPos = root->children.begin();
    return 1;
}

void ddBase::Parse(const char* text, size_t size) {
    int state = 0;
    std::string nameBuf;
    std::string valueBuf;
    ddBase* doc = root;
    doc->cursor = doc;
    for (size_t i = 0; i < size && text[i] != '\0'; ++i) {
        char c = text[i];
        switch (state) {
        case 0:
            if (c == '<') {
                nameBuf.clear();
                state = 2;
            }
            break;
        case 1:
            valueBuf.push_back(c);
            state = 3;
            break;
        case 2:
            if (c == '>') {
                valueBuf.clear();
                state = 3;
            } else {
                nameBuf.push_back(c);
            }
            break;
        case 3:
            if (c == '\\') {
                state = 1;
            } else if (c == '<') {
                doc->cursor->name = nameBuf.c_str();
                doc->cursor->value = valueBuf.c_str();
                state = 4;
            } else {
                valueBuf.push_back(c);
            }
            break;
        case 4:
            if (c == '/') {
                state = 5;
                if (!doc->cursor->parent) return;
                doc->cursor = doc->cursor->parent;
            } else {
                doc->AddChild("", "");
                doc->cursor = doc->cursor->children.back();
                nameBuf.assign(1, c);
                state = 2;
            }
            break;
        case 5:
            if (c == '<') state = 4;
            break;
        default:
            break;
        }
    }
}

void ddBase::WriteOpen(ddBase* node) {
    ddString& v = node->value;
    if (v.HasText()) {
        // Trailing LF and TAB characters go (the node itself is changed). A
        // value of nothing else goes whole: a node written without a value
        // reads back with the line end and the next line's indentation, and
        // must be written without one again.
        int keep = v.Length();
        const char* t = v.c_str();
        while (keep > 0 && (t[keep - 1] == '\n' || t[keep - 1] == '\t')) --keep;
        if (keep == 0 && v.Length() > 0) {
            v = static_cast<const char*>(nullptr);
        } else if (keep < v.Length()) {
            std::string cut(t, static_cast<size_t>(keep));
            v = cut.c_str();
        }
    }
    std::string line(static_cast<size_t>(g_depth), '\t');
    line += '<';
    line += node->name.c_str() ? node->name.c_str() : "";
    line += '>';
    if (v.HasText()) {
        char first = v.c_str()[0];
        if (first != ' ' && first != '\t' && first != '\n') line += ' ';
        line += EscapeValue(v.c_str());
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), root->file);
}

void ddBase::WriteClose(ddBase* node) {
    std::string line(static_cast<size_t>(g_depth), '\t');
    line += "</";
    line += node->name.c_str() ? node->name.c_str() : "";
    line += ">\n";
    std::fwrite(line.data(), 1, line.size(), root->file);
}

bool ddBase::CanBeWritten() const {
    // Without recursion, like every other walk of a possibly deep tree.
    std::vector<const ddBase*> pending{root};
    while (!pending.empty()) {
        const ddBase* node = pending.back();
        pending.pop_back();
        if (!Writable(*node, node == root)) return false;
        pending.insert(pending.end(), node->children.begin(), node->children.end());
    }
    return true;
}

int ddBase::Save(const char* path) {
    if (!path) return 0;
    AtomicFileWriter out(path);
    if (!CanBeWritten() || !out.Open()) {
        std::printf("ddBase: cannot write %s\n", path);
        return 0;
    }
    root->file = out.Stream();
    g_depth = 0;
    root->cursor = root;
    root->saving = 1;
    do {
        NextNode();
    } while (root->cursor != root);
    root->saving = 0;
    root->file = nullptr;
    if (!out.Commit()) {
        std::printf("ddBase: cannot write %s\n", path);
        return 0;
    }
    return 1;
}

void ddBase::NextNode() {
    root->levelChange = 0;
    ddBase* cur = root->cursor;
    if (cur->children.empty()) {
        if (root->saving) WriteOpen(cur);
        LeaveNode();
        return;
    }
    if (root->saving) WriteOpen(cur);
    cur->childPos = cur->children.begin();
    root->cursor = *cur->childPos;
    ++g_depth;
    root->levelChange += 1;
}

void ddBase::LeaveNode() {
    // Climbs iteratively; each level passed closes its node.
    for (;;) {
        ddBase* cur = root->cursor;
        if (!cur->parent) {
            if (root->saving) WriteClose(cur);
            return;
        }
        if (root->saving) WriteClose(cur);
        ddBase* p = cur->parent;
        root->cursor = p;
        if (p->childPos != p->children.end()) ++p->childPos;
        if (p->childPos != p->children.end()) {
            root->cursor = *p->childPos;
            return;
        }
        --g_depth;
        root->levelChange -= 1;
        p->childPos = p->children.begin();
        // go on: close the parent and climb
    }
}

template <typename Visit>
bool ddBase::WalkFromFirstChild(Visit visit) {
    // The cursor walk itself, so the child positions stay consistent for a
    // caller that goes on walking from a found node.
    FirstChild();
    if (root->cursor == root) return false;
    do {
        if (visit(root->cursor)) return true;
        NextNode();
    } while (root->cursor != root);
    return false;
}

int ddBase::FindNode(const char* n) {
    root->cursor = root;
    if (!n) return 0;
    if (root->name == n) return 1;
    if (WalkFromFirstChild([&](ddBase* node) { return node->name == n; })) return 1;
    root->cursor = root;
    return 0;
}

int ddBase::HasTopChild(const char* n) {
    root->cursor = root;
    if (!n) return 0;
    for (ddBase* c : root->children) {
        if (c->name == n) {
            root->cursor = c;
            return 1;
        }
    }
    return 0;
}

int ddBase::FindByValue(const char* text) {
    if (text && WalkFromFirstChild([&](ddBase* node) { return node->value == text; })) return 1;
    root->cursor = root;
    return 0;
}

const char* ddBase::FindNthByName(const char* n, int nth) {
    if (nth < 0 || !n) return nullptr;
    const char* result = nullptr;
    int seen = 0;
    WalkFromFirstChild([&](ddBase* node) {
        if (node->name == n) {
            if (seen == nth) {
                result = node->value.c_str();
                return true;
            }
            ++seen;
        }
        return false;
    });
    root->cursor = root;
    return result;
}

void ddBase::TrimValues(const char* n) {
    WalkFromFirstChild([&](ddBase* node) {
        if (!n || node->name == n) node->value.Trim();
        return false;
    });
}

void ddBase::FirstChild() {
    root->childPos = root->children.begin();
    root->cursor = root->children.empty() ? root : root->children.front();
}

void ddBase::ResetCurrent() { root->cursor = root; }

void ddBase::Up(int n) {
    for (int i = 0; i < n; ++i)
        if (root->cursor->parent) root->cursor = root->cursor->parent;
}

void ddBase::DownToFirst(int n) {
    for (int i = 0; i < n; ++i)
        if (!root->cursor->children.empty()) root->cursor = root->cursor->children.front();
}

void ddBase::DownToLast(int n) {
    for (int i = 0; i < n; ++i)
        if (!root->cursor->children.empty()) root->cursor = root->cursor->children.back();
}

ddBase* ddBase::LastNode() {
    ddBase* node = root;
    while (!node->children.empty()) node = node->children.back();
    return node;
}

void ddBase::SetIntList(int n, const int* ints) {
    if (n <= 0 || !ints) return;
    ddString v("");
    for (int i = 0; i < n; ++i) v.AppendInt(ints[i]).Append(" ");
    root->cursor->value = v;
}

int ddBase::GetIntList(int n, int* out) {
    const char* p = root->cursor->value.c_str();
    if (!p) p = "";
    while (ddString::IsBlankChar(*p)) ++p;
    for (int i = 0; i < n; ++i) {
        std::string run;
        while (IsNumberChar(*p)) run.push_back(*p++);
        out[i] = run.empty() ? 0 : std::atoi(run.c_str());
        while (ddString::IsBlankChar(*p)) ++p;
    }
    return n;
}
