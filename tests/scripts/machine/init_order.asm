; Modules' init run in the order the modules close, then objects made by
; a new between methods while loading, the global init last.
module first
method init
  push "first module init"
  call say, it
end method
end module
class thing
method init
  push "thing init, named"
  call say, it
  cthis getname
  call say, it
end method
end class
module second
method init
  push "second module init"
  call say, it
end method
new thing, early
method other
end method
end module
module say
method it
  pop line
  call line, print
end method
new string, line
end module
push "global init"
call say, it
new thing, late
