; The keyboard with no key pressed: nothing typed, nothing held, names that
; are not keys read as not pressed, and the switches run quietly.
game g
method init
  call keyboard, getkey
  pop s
  call s, print
  call keyboard, isalpha
  pop n
  call n, print
  call keyboard, isalnum
  pop n
  call n, print
  push "a"
  call keyboard, iskey
  pop n
  call n, print
  push "F1"
  call keyboard, iskeydown
  pop n
  call n, print
  push -1
  call keyboard, iskeydown
  pop n
  call n, print
  push 7
  call keyboard, iskeydown
  pop n
  call n, print
  push "f1"
  call keyboard, iskeydown
  pop n
  call n, print
  push "%"
  call keyboard, keypressed
  pop n
  call n, print
  call keyboard, getkeystate
  push "space"
  call keyboard, keypressed
  pop n
  call n, print
  push 1
  call keyboard, autorepeat
  push 0
  push 0
  call keyboard, setautorepeat
  call keyboard, pause
  call keyboard, resume
  call engine, getstack
  pop n
  call n, print
  call gameapi, exit
end method
end game
new int, n
new string, s
call keyboard, pause
call keyboard, resume
push "g"
call gameapi, play
