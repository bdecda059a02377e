// The object layer of the script machine: the object map, name look-up,
// "new" and "delete", the init queue, and the bridge that turns a call by
// name into a built-in method, one of the common methods or a method written
// in script.
//
// Objects deleted while one of their calls is still running are taken out
// of every name table at once but destroyed only when the outermost call
// returns, so no native caller is left holding a freed object. While engine
// code that raises script events is on the stack (the game loop's frame
// holds destruction, asmDestructionHold), every deleted object is withdrawn
// from the engine at once and destroyed when the outermost hold ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/asm_class_obj.h"
#include "foundation/dd_string.h"
#include "foundation/dd_trie.h"
#include "foundation/destruction_hold.h"
#include "script/method_table.h"
#include "script/object_model.h"
#include "script/script_types.h"

class asmInterpreter;

// What the search for a called method found: an entry of a method table
// (its index and, for a method written in script, its record), one of the
// common methods, or nothing.
constexpr int kNoCommon = -1;
struct asmMethodFound {
    int32_t index = -1;
    asmMethod* method = nullptr;
    int32_t common = kNoCommon;
    // Found past the object's own tables: the owner and the game counted.
    bool deep = false;
    bool Found() const { return index != -1 || common != kNoCommon; }
};

class asmObjects : public asmObjectModel {
public:
    // The running object layer, for the callbacks that lower floors make
    // without handing a machine over (the end of a destruction hold, a
    // game's start); everything else reaches it through its machine (Of).
    static asmObjects* Instance;

    // `known` are the built-in classes "new" can make (they must outlive
    // the layer).
    asmObjects(asmInterpreter& machine, const asmClassList& known);
    // The object layer of the machine, or null when it has another one.
    static asmObjects* Of(asmInterpreter& machine);
    ~asmObjects() override;
    asmObjects(const asmObjects&) = delete;
    asmObjects& operator=(const asmObjects&) = delete;

    // asmObjectModel
    asmClassObj* LookupVar(const char* name) override;
    // "call", "cthis", "clparent": the search of Call, remembered in the
    // call site's cache and repeated only when something it depended on
    // changed. The result, reports and dispatch are those of Call.
    void CallMethod(asmClassObj* object, const char* name, asmCallCache& cache) override;
    void CallReturned(asmClassObj* object, const char* name) override;
    void ExecNew(asmOperand& type, asmOperand& name) override;
    void ExecDelete(asmOperand& name) override;
    void NewObject(const char* className, const char* objectName) override;

    // The full search and dispatch of a call by name (installed as the
    // method-call hook of every object).
    void Call(asmClassObj* object, const char* name);
    // An "init" the engine starts itself (the init queue, "new" after
    // loading, a game's start): only the object's own class and its added
    // methods are asked; without one nothing happens.
    void CallInit(asmClassObj* object);

    // How many full method searches have run (calls answered from a call
    // site's cache do not count).
    uint64_t MethodSearches() const { return methodSearches; }

    // FindMethod on the current object, then the current game, then the
    // global class's entry.
    ddTrie<asmMethod>* FindScriptMethod(const char* name);

    // "addmethod", "addtogamevars" and "getfullname".
    void AddMethod(asmClassObj* object, const char* newName, const char* sourceName);
    void AddToGameVars(asmClassObj* object, const char* name);
    static std::string GetFullName(const asmClassObj* object);

    // What a common method runs on: the object called and its object layer.
    struct CommonCall {
        asmObjects& objects;
        asmClassObj& object;
    };
    // The common methods' rows of name, index and handler; an index no row
    // names prints "txobjmets unknown method!".
    static const MethodTable<CommonCall>& CommonMethodTable();

    // Tables.
    ddTrie<asmClassObj>* GetObjectMap() { return objectMap; }
    ddTrie<asmClassObj>* GetCurrentObjectVars();
    ddTrie<asmClassObj>* GetOwnerObjectVars();
    ddTrie<asmClassObj>* GetGameObjectVars();
    // Stores an owned object in the object map (the built-in objects).
    void AddToObjectMap(const char* name, asmClassObj* object);

    // The init queue: objects whose "init" is still to run.
    void QueueInit(asmClassObj* object) { initQueue.push_back(object); }
    void RemoveFromInitQueue(asmClassObj* object);
    // Runs every queued "init" in order, each with its object current, and
    // empties the queue.
    void RunInitQueue();

    // Ends an object that its table no longer names: it leaves every alias
    // at once and is destroyed now, or, if one of its calls (or of the
    // objects it owns) is running or destruction is held, it is withdrawn
    // from the engine at once (announced gone as Withdrawn, with each object
    // it owns) and destroyed when the outermost running call returns and no
    // hold is left.
    void Destroy(asmClassObj* object);
    // Destroys what waits for the outermost call to return.
    void DestroyDeferred();
    // True for an object deleted but not yet destroyed. Calls by name from
    // native code (engine events) to such an object are ignored.
    bool IsWithdrawn(const asmClassObj* object) const;

    // The name of the game to run next ("play" on "gameapi" sets it).
    ddString nextGame;

    // Deletes every object in the object map and forgets the global object.
    void ClearObjects();

private:
    // The end of the outermost destruction hold: destroys what waits,
    // unless a call is still running (its return does it then).
    static void ReleaseHeld();
    void RunCommonMethod(asmClassObj* object, int index);
    // The search order of a call by name, without side effects.
    asmMethodFound Search(const asmClassObj* object, const char* name);
    // The debug report of a missing method, or the dispatch.
    void Finish(asmClassObj* object, const char* name, const asmMethodFound& found);
    void Dispatch(asmClassObj* object, const char* name, const asmMethodFound& found);
    void Remember(asmCallCache& c, const asmClassObj* object, const char* name, const asmMethodFound& found);
    ddTrie<asmClassObj>* NewTarget();
    std::string ObjectName(asmOperand& op);
    bool IsRunning(asmClassObj* object) const;
    void ForgetAliases(const std::vector<asmClassObj*>& dying);

    asmInterpreter& m;
    const asmClassList& classes;
    ddTrie<asmClassObj>* objectMap;
    std::vector<asmClassObj*> initQueue;
    std::vector<asmClassObj*> deferred;
    // Every object (owned ones too) of the deferred ones.
    std::vector<asmClassObj*> withdrawn;
    uint64_t methodSearches = 0;
};
