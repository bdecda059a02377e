// A tree of named nodes with text values, read from and written to tagged
// text files ("<name> value ... </name>"). Every operation goes through the
// document's single cursor, which lives on the root.
#pragma once

#include <cstdio>
#include <list>
#include <string>

#include "foundation/dd_string.h"

class ddBase {
public:
    ddBase(const char* name = nullptr, const char* value = nullptr);
    virtual ~ddBase();
    ddBase(const ddBase&) = delete;
    ddBase& operator=(const ddBase&) = delete;

    // Construction and ownership
    void AddChild(const char* name, const char* value);
    void AddChild(const ddString& name, const char* value) { AddChild(name.c_str(), value); }
    void AddChild(const char* name, const ddString& value) { AddChild(name, value.c_str()); }
    void AddChild(const ddString& name, const ddString& value) { AddChild(name.c_str(), value.c_str()); }
    void DeleteChildren();
    void RemoveCurrent();
    void Remove(const char* name);

    // Files. Load: 0 when the file cannot be read. Save: 0 when it cannot be
    // written, or when the tree holds a name or value the reader would not
    // give back (see CanBeWritten); the old file is then left as it was.
    int Load(const char* path);
    int Save(const char* path);
    // False when a name holds "<" or ">", a child's name is empty or begins
    // with "/", or a name or value holds a byte 0xFF.
    bool CanBeWritten() const;

    // Walking and searching
    void NextNode();
    void LeaveNode();
    int FindNode(const char* name);
    int HasTopChild(const char* name);
    int FindByValue(const char* text);
    const char* FindNthByName(const char* name, int n);
    void TrimValues(const char* name);

    // Cursor moves and accessors
    void FirstChild();
    void ResetCurrent();
    void Up(int n);
    void DownToFirst(int n);
    void DownToLast(int n);
    ddBase* LastNode();
    ddBase* GetRoot() { return root; }
    ddBase* GetCurrent() { return root->cursor; }
    ddBase* GetCurrentParent() { return root->cursor->parent; }
    const char* GetCurrentName() { return root->cursor->name.c_str(); }
    const char* GetCurrentValue() { return root->cursor->value.c_str(); }
    void SetCurrentValue(const ddString& v) { root->cursor->value = v; }
    void TrimCurrentValue() { root->cursor->value.Trim(); }
    int CurrentChildCount() { return static_cast<int>(root->cursor->children.size()); }

    int GetLevelChange() { return root->levelChange; }
    void ResetLevelChange() { root->levelChange = 0; }
    bool WentDown() { return root->levelChange > 0; }
    bool WentUp() { return root->levelChange < 0; }

    void SetIntList(int n, const int* ints);
    int GetIntList(int n, int* out);

    // Node data
    const ddString& Name() const { return name; }
    const ddString& Value() const { return value; }
    ddBase* Parent() const { return parent; }
    const std::list<ddBase*>& Children() const { return children; }

private:
    template <typename Visit>
    bool WalkFromFirstChild(Visit visit);
    void WriteOpen(ddBase* node);
    void WriteClose(ddBase* node);
    void Parse(const char* text, size_t size);

    FILE* file = nullptr;
    int saving = 0;
    int levelChange = 0;
    std::list<ddBase*> children;
    std::list<ddBase*>::iterator childPos;
    ddBase* parent = nullptr;
    ddBase* root;
    ddBase* cursor;
    ddString value;
    ddString name;
};
