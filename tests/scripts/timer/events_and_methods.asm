; Frame-counted timers: start, ticks and finish events, pause and resume,
; stop with and without the finish event, and the repeat count rules.
game g
method init
  new timer, t
  new timer, t2
  new timer, t3
  call t, gettick
  pop n
  call n, print
  push 0
  call t, settick
  push -4
  call t, settick
  call t, gettick
  pop n
  call n, print
  push 250
  call t, delay
  call t, getdelay
  pop n
  call n, print
  push 40
  call t, setdelay
  call t, getdelay
  pop n
  call n, print
  push "onfinish"
  push "stopped"
  call t3, addmethod
  call t3, play
  push 0
  call t3, stop
  call t3, isplaying
  pop n
  call n, print
  call t3, play
  push 1
  call t3, stop
  push 3
  call t, settick
  push 2
  call t, setcycle
  push 0
  call t, setcycle
  call t, isplaying
  pop n
  call n, print
  push "onstart"
  push "started"
  call t, addmethod
  push "ontick"
  push "ticked"
  call t, addmethod
  push "onfinish"
  push "finished"
  call t, addmethod
  push "onfinish"
  push "resumed"
  call t2, addmethod
  push 3
  call t2, setcycle
  call t, play
  call t, isplaying
  pop n
  call n, print
end method
method stopped
  mov s, "stopped"
  call s, print
end method
method started
  mov s, "started"
  call s, print
end method
method ticked
  mov s, "tick"
  call s, print
  call t, gettick
  pop n
  call n, print
  cmp n, 1
  jne done
  call t, pause
  call t2, play
done:
end method
method resumed
  mov s, "resumed"
  call s, print
  call t, resume
end method
method finished
  mov s, "finished"
  call s, print
  call t, gettick
  pop n
  call n, print
  call t, isplaying
  pop n
  call n, print
  call gameapi, exit
end method
end game
new int, n
new string, s
push "g"
call gameapi, play
