; An init the engine starts itself never falls through to another
; object's init: not for a module without one, nor for a class object made
; after loading.
module quiet
method hello
end method
end module
class plain
end class
new plain, p
new string, s
mov s, "global init runs once"
call s, print
