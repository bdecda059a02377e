; A path finder deleted by its own "onvisit" handler goes at a safe point:
; the walk ends there and the animation plays on without it.
game g
method init
  new anima, w
  push "walker.lum"
  call w, load
  push "standrr"
  call w, play
  new path, p
  push "floor.ptf"
  push 10
  push 10
  push 2.0
  push 0
  call p, build
  push 5.0
  call p, setanstep
  push "w"
  call p, linkanima
  push "onvisit"
  push "visited"
  call p, addmethod
  push 45
  push 25
  call p, goto
  pop n
  new timer, t
  push 300
  call t, setdelay
  push "onfinish"
  push "later"
  call t, addmethod
  call t, play
end method
method removep
  delete p
end method
method visited
  mov s, "visit"
  call s, print
  call g, removep
end method
method later
  mov s, "later"
  call s, print
  push "p"
  pop s
  call s, isptr
  pop n
  call n, print
  call w, getposx
  pop n
  call n, print
  call w, actionname
  pop s
  call s, print
  call gameapi, exit
end method
end game
new int, n
new string, s
push "g"
call gameapi, play
