; A name added with addtogamevars goes when its object is deleted, also
; when the object dies with its owner.
class box
method init
  new int, inner
  push "boxed"
  call inner, addtogamevars
end method
end class
game g
method init
  new int, v
  push "alias"
  call v, addtogamevars
  mov t, "alias"
  call t, isptr
  pop n
  call n, print
  delete v
  call t, isptr
  pop n
  call n, print
  new box, b
  mov t, "boxed"
  call t, isptr
  pop n
  call n, print
  delete b
  call t, isptr
  pop n
  call n, print
  call gameapi, exit
end method
end game
new string, t
new int, n
push "g"
call gameapi, play
