; An object whose own method asks the game to delete it lives until the
; outermost call returns; its name is gone at once.
class item
method init
  new string, label
  mov label, "item label"
end method
method click
  call g, remove
  call label, print
  push "item"
  pop t
  call t, isptr
  pop n
  call n, print
end method
end class
game g
method init
  new item, item
  call item, click
  push "item"
  pop t
  call t, isptr
  pop n
  call n, print
  call gameapi, exit
end method
method remove
  delete item
end method
end game
new string, t
new int, n
push "g"
call gameapi, play
